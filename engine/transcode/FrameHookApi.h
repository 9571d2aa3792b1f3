#pragma once
/* What a frame-hook plug-in exports: a shared object named by the "vhook"
 * option, with these plain C entry points.
 *
 *   int  Configure(void** ctxp, int argc, char* argv[], int argvHigh);
 *        optional; argv[0] is the plug-in's own file name, argv holds
 *        argvHigh + 1 elements (unused ones are null); stores the plug-in's
 *        context in *ctxp; 0 on success.
 *   void Process(void* ctx, TFrameHookPicture* picture, int pixFmt,
 *                int width, int height, int64_t pts);
 *        required; changes the picture's pixels in place; pixFmt is the
 *        media libraries' pixel format number, pts in microseconds.
 *   void Release(void* ctx);
 *        optional; called once when the conversion ends.
 *
 * A plug-in finds the libraries it needs through its own run path ($ORIGIN). */
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* One picture: four plane pointers and four line sizes in bytes. */
typedef struct TFrameHookPicture {
    uint8_t* data[4];
    int linesize[4];
} TFrameHookPicture;

typedef int (*TFrameHookConfigure)(void** ctxp, int argc, char* argv[], int argvHigh);
typedef void (*TFrameHookProcess)(void* ctx, TFrameHookPicture* picture, int pixFmt, int width, int height,
                                  int64_t pts);
typedef void (*TFrameHookRelease)(void* ctx);

#ifdef __cplusplus
}
#endif
