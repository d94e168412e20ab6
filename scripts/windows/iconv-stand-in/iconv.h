/* iconv for libUEMF on mingw-w64, which has none: every conversion reports that it
 * cannot convert. The tests read records with libUEMF and convert no text with it. */
#pragma once
#include <errno.h>
#include <stddef.h>

typedef void* iconv_t;

static inline iconv_t iconv_open(const char* to, const char* from) {
    (void)to;
    (void)from;
    errno = EINVAL;
    return (iconv_t)-1;
}

static inline size_t iconv(iconv_t cd, char** in, size_t* inLeft, char** out, size_t* outLeft) {
    (void)cd;
    (void)in;
    (void)inLeft;
    (void)out;
    (void)outLeft;
    errno = EINVAL;
    return (size_t)-1;
}

static inline int iconv_close(iconv_t cd) {
    (void)cd;
    return 0;
}
