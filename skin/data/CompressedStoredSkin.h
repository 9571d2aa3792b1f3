#pragma once
#include <memory>
#include <string>
#include "platform/core/Component.h"
#include "platform/core/Stream.h"

class TbsSkinData;

// One skin packed into a single deflated block (the stored skin), so skins
// ship inside the program. The block is the zlib stream of a packed skin
// (PackedSkin.h). A compressed skin file (".skn") and the "Skin" data of a
// skin list item hold it as:
//   container version  int32, 3 when written; any value up to 3 is read
//   size               int32, the number of zlib bytes
//   data               the zlib stream
class TbsCompressedStoredSkin : public TComponent {
public:
    explicit TbsCompressedStoredSkin(TComponent* AOwner);
    ~TbsCompressedStoredSkin() override;

    // True while no block is stored.
    bool Empty() const { return FCompressedStream->Size() == 0; }

    // The stored zlib block itself (the "CompressedData" of stored form data).
    TMemoryStream* CompressedStream() const { return FCompressedStream.get(); }

    // Stored only: the build packs skins with PackSkinFile, never through these setters.
    const std::string& FileName() const { return FFileName; }
    void SetFileName(const std::string& Value) { FFileName = Value; }
    const std::string& CompressedFileName() const { return FCompressedFileName; }
    void SetCompressedFileName(const std::string& Value) { FCompressedFileName = Value; }
    const std::string& Description() const { return FDescription; }
    void SetDescription(const std::string& Value) { FDescription = Value; }

    // Inflates the block into S at S's position.
    void DeCompressToStream(TStream& S) const;
    // Packs the skin of a container (its pictures and the ini text it would save).
    void LoadFromSkinData(TbsSkinData* ASkinData);
    // Packs a skin ini file and the pictures beside it; a file that is not a
    // skin ini (or does not exist) leaves the stored block unchanged.
    void LoadFromIniFile(const std::string& AFileName);
    // Reads a compressed skin file; a container version above 3 leaves the skin
    // empty. A size that is negative or larger than the bytes that follow raises EReadError.
    void LoadFromCompressFile(const std::string& AFileName);
    // The same from a stream, always from its position 0.
    void LoadFromCompressStream(TStream& Stream);
    // Version 3, the size and the block at the stream's position (3 and 0 when empty).
    void SaveToCompressStream(TStream& Stream) const;
    // Does nothing when empty; otherwise creates or overwrites the file.
    void SaveToCompressFile(const std::string& AFileName) const;

private:
    void Pack(TMemoryStream& Packed);
    std::unique_ptr<TMemoryStream> FCompressedStream;
    std::string FFileName;
    std::string FCompressedFileName;
    std::string FDescription;
};

// Packs a skin folder's ini file into a compressed skin file; used by the
// build to make the skins it embeds. Raises EInvalidOperation when the file
// is not a skin ini.
void PackSkinFile(const std::string& IniFileName, const std::string& SknFileName);
