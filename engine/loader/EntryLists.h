#pragma once
// The entry points that the engine binds by name, one list per library, in
// binding order. This is the one place to add a call: write its name into the
// list of the library that exports it; the table member, the binding and the
// clearing on unload follow from the list.
//
// Each list names the library's version call first where it has one: the
// loader compares that run-time major version with the headers'.

#define ZARVO_AVUTIL_ENTRIES(X)   \
    X(avutil_version)             \
    X(av_log)                     \
    X(av_log_set_callback)        \
    X(av_log_set_level)           \
    X(av_log_get_level)           \
    X(av_malloc)                  \
    X(av_mallocz)                 \
    X(av_realloc)                 \
    X(av_free)                    \
    X(av_freep)                   \
    X(av_strdup)                  \
    X(av_gcd)                     \
    X(av_reduce)                  \
    X(av_rescale)                 \
    X(av_rescale_q)               \
    X(av_compare_ts)              \
    X(av_dict_get)                \
    X(av_dict_set)                \
    X(av_dict_count)              \
    X(av_dict_copy)               \
    X(av_dict_free)               \
    X(av_parse_time)              \
    X(av_opt_find)                \
    X(av_opt_set)                 \
    X(av_opt_set_int)             \
    X(av_opt_get)                 \
    X(av_frame_alloc)             \
    X(av_frame_free)              \
    X(av_frame_unref)             \
    X(av_frame_ref)               \
    X(av_frame_make_writable)     \
    X(av_frame_apply_cropping)    \
    X(av_frame_copy_props)        \
    X(av_frame_is_writable)       \
    X(av_get_picture_type_char)   \
    X(av_opt_set_double)          \
    X(av_sample_fmt_is_planar)    \
    X(av_get_packed_sample_fmt)   \
    X(av_get_bytes_per_sample)    \
    X(av_samples_set_silence)     \
    X(av_channel_layout_compare)  \
    X(av_audio_fifo_write)        \
    X(av_audio_fifo_read)         \
    X(av_audio_fifo_size)         \
    X(av_image_get_buffer_size)   \
    X(av_image_fill_arrays)       \
    X(av_image_copy)              \
    X(av_cpu_max_align)           \
    X(av_get_pix_fmt_name)        \
    X(av_pix_fmt_desc_get)        \
    X(av_opt_get_int)             \
    X(av_d2q)                     \
    X(av_find_nearest_q_idx)      \
    X(av_parse_video_rate)        \
    X(av_parse_video_size)        \
    X(av_pix_fmt_desc_next)       \
    X(av_get_bits_per_pixel)      \
    X(av_get_pix_fmt)             \
    X(av_get_sample_fmt)          \
    X(av_get_sample_fmt_string)   \
    X(av_channel_layout_copy)     \
    X(av_get_sample_fmt_name)     \
    X(av_channel_layout_default)  \
    X(av_channel_layout_uninit)   \
    X(av_gettime)                 \
    X(av_audio_fifo_alloc)        \
    X(av_audio_fifo_free)         \
    X(av_frame_get_buffer)        \
    X(av_opt_set_bin)             \
    X(av_display_rotation_get)    \
    X(av_channel_layout_describe)

#define ZARVO_SWRESAMPLE_ENTRIES(X) \
    X(swresample_version)           \
    X(swr_alloc_set_opts2)          \
    X(swr_init)                     \
    X(swr_convert)                  \
    X(swr_get_out_samples)          \
    X(swr_set_compensation)         \
    X(swr_inject_silence)           \
    X(swr_free)

#define ZARVO_SWSCALE_ENTRIES(X)  \
    X(swscale_version)            \
    X(sws_get_class)              \
    X(sws_alloc_context)          \
    X(sws_getCachedContext)       \
    X(sws_scale)                  \
    X(sws_freeContext)

#define ZARVO_AVCODEC_ENTRIES(X)          \
    X(avcodec_version)                    \
    X(avcodec_get_class)                  \
    X(avcodec_find_decoder)               \
    X(avcodec_find_decoder_by_name)       \
    X(avcodec_find_encoder)               \
    X(avcodec_find_encoder_by_name)       \
    X(avcodec_get_name)                   \
    X(avcodec_alloc_context3)             \
    X(avcodec_free_context)               \
    X(avcodec_parameters_to_context)      \
    X(avcodec_open2)                      \
    X(avcodec_send_packet)                \
    X(avcodec_receive_frame)              \
    X(avcodec_flush_buffers)              \
    X(avcodec_send_frame)                 \
    X(avcodec_receive_packet)             \
    X(av_packet_get_side_data)            \
    X(av_packet_rescale_ts)               \
    X(av_packet_ref)                      \
    X(av_bsf_send_packet)                 \
    X(av_bsf_receive_packet)              \
    X(avcodec_string)                     \
    X(av_packet_alloc)                    \
    X(av_packet_free)                     \
    X(av_packet_unref)                    \
    X(av_bsf_get_by_name)                 \
    X(av_packet_move_ref)                 \
    X(avcodec_decode_subtitle2)           \
    X(avsubtitle_free)                    \
    X(avcodec_parameters_from_context)    \
    X(avcodec_parameters_copy)            \
    X(av_bsf_alloc)                       \
    X(av_bsf_init)                        \
    X(av_bsf_free)                        \
    X(av_rdft_init)                       \
    X(av_rdft_calc)                       \
    X(av_rdft_end)                        \
    X(avcodec_encode_subtitle)            \
    X(av_new_packet)

#define ZARVO_AVFORMAT_ENTRIES(X)         \
    X(avformat_version)                   \
    X(avformat_get_class)                 \
    X(avformat_alloc_context)             \
    X(avformat_free_context)              \
    X(avformat_alloc_output_context2)     \
    X(avformat_open_input)                \
    X(avformat_find_stream_info)          \
    X(avformat_close_input)               \
    X(av_find_input_format)               \
    X(av_read_frame)                      \
    X(av_interleaved_write_frame)         \
    X(av_pkt_dump_log2)                   \
    X(av_seek_frame)                      \
    X(avio_seek)                          \
    X(avio_size)                          \
    X(avio_feof)                          \
    X(avformat_new_stream)                \
    X(av_guess_format)                    \
    X(av_guess_codec)                     \
    X(av_guess_frame_rate)                \
    X(av_filename_number_test)            \
    X(av_dump_format)                     \
    X(avio_open)                          \
    X(avio_closep)                        \
    X(avformat_seek_file)                 \
    X(av_find_best_stream)                \
    X(avformat_write_header)              \
    X(av_write_trailer)                   \
    X(av_codec_get_id)                    \
    X(av_codec_get_tag)                   \
    X(av_sdp_create)                      \
    X(av_stream_get_side_data)

#define ZARVO_AVFILTER_ENTRIES(X)     \
    X(avfilter_version)               \
    X(avfilter_get_by_name)           \
    X(avfilter_graph_alloc)           \
    X(avfilter_graph_free)            \
    X(avfilter_graph_create_filter)   \
    X(avfilter_link)                  \
    X(avfilter_graph_parse_ptr)       \
    X(avfilter_graph_config)          \
    X(avfilter_inout_alloc)           \
    X(avfilter_inout_free)            \
    X(av_buffersrc_add_frame_flags)   \
    X(av_buffersink_get_frame)        \
    X(av_buffersink_get_w)            \
    X(av_buffersink_get_h)            \
    X(av_buffersink_get_format)       \
    X(av_buffersink_get_time_base)

// avdevice is known to the loader but never loaded by any set.
#define ZARVO_AVDEVICE_ENTRIES(X) \
    X(avdevice_version)

// The C run-time: the engine's file and text routines take the thread-safe,
// locale-independent forms (numbers are parsed in the "C" locale with the _l calls).
#define ZARVO_LIBC_ENTRIES(X) \
    X(fopen)                  \
    X(fclose)                 \
    X(fread)                  \
    X(fwrite)                 \
    X(fseeko)                 \
    X(ftello)                 \
    X(fprintf)                \
    X(snprintf)               \
    X(vsnprintf)              \
    X(strtok_r)               \
    X(strtol)                 \
    X(strtod_l)               \
    X(newlocale)              \
    X(freelocale)

#define ZARVO_SDL_ENTRIES(X) \
    X(SDL_GetVersion)        \
    X(SDL_GetError)          \
    X(SDL_Init)              \
    X(SDL_Quit)              \
    X(SDL_InitSubSystem)     \
    X(SDL_QuitSubSystem)     \
    X(SDL_OpenAudioDevice)   \
    X(SDL_CloseAudioDevice)  \
    X(SDL_PauseAudioDevice)  \
    X(SDL_MixAudioFormat)
