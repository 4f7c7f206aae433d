#pragma once
// libjpeg reports fatal errors by calling error_exit, which must not return. The codec's
// error manager records the decoder's message and jumps back to runGuarded, the one
// place where libjpeg errors become Failures. Code run under the guard keeps only
// trivially destructible locals: the jump skips destructors, so everything that owns
// memory lives in the caller's state struct (see JpegDecoder / JpegEncoder).
#include "base/result.h"

#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE and size_t first
#include <jpeglib.h>

namespace imaging::detail {

struct JpegErrorManager {
    jpeg_error_mgr base{};
    std::jmp_buf jump{};
    char message[JMSG_LENGTH_MAX] = {};
    // Set by code under the guard for failures of its own (e.g. no memory for the picture).
    const char *ownFailure = nullptr;
};

// Installs the error handlers into `err` and returns the libjpeg error manager pointer.
jpeg_error_mgr *installErrorManager(JpegErrorManager &err);

// Runs `body` with the guard set. Returns the decoder's message on a libjpeg error or on
// `ownFailure`. Never inlined: setjmp must stay in a frame of its own.
template <class Body>
[[gnu::noinline]] Result<void> runGuarded(JpegErrorManager &err, Body &&body)
{
    if (setjmp(err.jump) != 0)
        return fail(QString::fromLatin1(err.message));
    body();
    if (err.ownFailure)
        return fail(QString::fromUtf8(err.ownFailure));
    return {};
}

} // namespace imaging::detail
