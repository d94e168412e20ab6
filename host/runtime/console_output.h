#pragma once

namespace dorvek::host {

// Has a console show the program's UTF-8 output as the text it is, Turkish letters
// included. Output to a file or a pipe is UTF-8 on every platform and is not touched.
// On Windows the console's own code page is put back when the process ends; elsewhere
// terminals take UTF-8 as it comes.
void useUtf8ConsoleOutput();

// Has standard output carry bytes as written, for a file written there: Windows would
// otherwise turn each line feed into a carriage return and a line feed.
void useBinaryStandardOutput();

} // namespace dorvek::host
