#pragma once
#include <memory>
#include <string>
#include <vector>

#include "engine/transcode/StreamRecords.h"

class TCustomFFmpeg;

// One conversion of a job: its stream tables and the steps that prepare them.
// The set-up maps the output streams to their sources, prepares stream copies
// and encoders, opens the codecs, sets the starting times, copies metadata and
// chapters and writes the headers; the packet loop then works on the same
// tables. Every failure raises FFmpegException; the tables are freed with the
// object, while the opened codecs stay on the job's open-codec lists for the
// job's own clean-up.
class TTranscode {
public:
    explicit TTranscode(TCustomFFmpeg& AJob);
    ~TTranscode();
    TTranscode(const TTranscode&) = delete;
    TTranscode& operator=(const TTranscode&) = delete;

    // The whole set-up in order. On failure outputs whose header was not
    // written are deleted (nothing in them is of use) before the error goes on.
    void SetUp();

    // The steps, in the order SetUp runs them.
    void BuildInputTables();
    void BuildOutputTable();        // counts and checks, then maps and prepares codecs
    void MapOutputStreams();
    void SetupOutputCodecs();
    void OpenEncoders();
    void InitBitstreamFilters();
    void OpenDecoders();
    void InitInputTimestamps();
    void ApplyMetadataMaps();
    void CopyAllChapters();
    void WriteHeaders();
    void DumpStreamMapping();

    // Ends every output whose header was written with its trailer; all are
    // tried, and the first failure's reason naming its file is returned ("" when
    // all were written).
    std::string WriteTrailers();
    // Closes every output file; the first failure's reason, or "".
    std::string CloseOutputs();

    std::vector<TAVInputFile> file_table;
    std::vector<std::unique_ptr<TAVInputStream>> ist_table;
    std::vector<std::unique_ptr<TAVOutputStream>> ost_table;
    int G = 0;                              // stream count of output 0 (the group size in join mode)
    std::vector<bool> no_packet;            // per input; used by the loop
    int no_packet_count = 0;
    int64_t extra_size = 0;                 // total of the encoders' global header sizes
    std::vector<TJobOutputFile*> headers_written;

    // The distinct outputs in order (join mode repeats one output per input).
    std::vector<TJobOutputFile*> DistinctOutputs() const;

private:
    void MapExplicitStream(TAVOutputStream& AOst, int n);
    void MapDefaultStream(TAVOutputStream& AOst, int k);
    void SetupStreamCopy(TAVOutputStream& AOst, TAVInputStream& AIst, bool AFirstOfShared);
    void SetupEncoding(int i, TAVOutputStream& AOst, TAVInputStream& AIst);
    void OpenPassLogFile(int i, TAVOutputStream& AOst);
    void CopyChapters(int AInput, TJobOutputFile& AOutput);
    void DumpOutputFormat(int AIndex);
    // DumpStreamMapping, the text at llError, then the text raised.
    [[noreturn]] void FailAfterMapping(const std::string& AText);
    // Builds the stream's filter graph from the job's filter text, margins and
    // the encoder's size and pixel format; the encoder then takes the graph's
    // output size. 0, or -1 with the library's reason logged.
    int ConfigureVideoFilters(TAVInputStream& AIst, TAVOutputStream& AOst);
    // A subtitle encoder's time base and the styled-text header text encoders need.
    void PrepareSubtitleEncoder(TAVOutputStream& AOst, TAVInputStream& AIst);
    void FreeTables();

    TCustomFFmpeg& FJob;
};
