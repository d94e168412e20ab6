#pragma once

namespace dorvek::host {

// What screen readers are told of the host's widgets where Qt's own account falls
// short: a form window is a frame, not a filler, whose shapes are decoration left
// untold; an image control is an image; and a read-only text box is read-only and not
// editable. Once per application; the widgets made afterwards are told so.
void installAccessibleWidgets();

} // namespace dorvek::host
