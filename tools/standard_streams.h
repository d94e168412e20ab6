#pragma once

namespace dorvek::tools {

// Call first thing in main. A standard stream the caller closed (">&-") is held open
// on the null device, so that no file the program opens later takes its place and
// receives what was meant for the stream.
void holdClosedStandardStreams();

// Whether standard output was closed when the program started.
bool standardOutputWasClosed();

// Standard output carries a picture's bytes unchanged, not text.
void useBinaryStandardOutput();

// A console shows the program's UTF-8 text, Turkish letters included, as it is; a file
// or a pipe gets the same bytes on every platform.
void useUtf8Console();

} // namespace dorvek::tools
