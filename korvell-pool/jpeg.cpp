// Figures decoded in full with the JPEG library that the program's image
// loader uses. A warning of the library (such as data cut short, which it would
// fill with gray) counts as a failure: the picture would not show as drawn.
#include "korvell-pool/release.h"

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

namespace korvell::pool {

namespace {

struct ErrorManager {
    jpeg_error_mgr Base; // first member: the library hands back a pointer to it
    std::jmp_buf Escape;
    char Message[JMSG_LENGTH_MAX];
};

[[noreturn]] void OnError(j_common_ptr Info) {
    auto* e = reinterpret_cast<ErrorManager*>(Info->err);
    Info->err->format_message(Info, e->Message);
    std::longjmp(e->Escape, 1);
}

void OnMessage(j_common_ptr Info, int Level) {
    if (Level < 0) OnError(Info); // a warning; the other levels are traces
}

} // namespace

bool DecodeJpeg(const std::string& Data, std::string& Why) {
    jpeg_decompress_struct info;
    ErrorManager err;
    info.err = jpeg_std_error(&err.Base);
    err.Base.error_exit = OnError;
    err.Base.emit_message = OnMessage;
    if (setjmp(err.Escape)) {
        jpeg_destroy_decompress(&info);
        Why = err.Message;
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(Data.data()), Data.size());
    jpeg_read_header(&info, TRUE);
    jpeg_start_decompress(&info);
    // One row at a time, in the library's own memory, freed with it.
    JSAMPARRAY row = info.mem->alloc_sarray(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                            info.output_width * info.output_components, 1);
    while (info.output_scanline < info.output_height)
        jpeg_read_scanlines(&info, row, 1);
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

} // namespace korvell::pool
