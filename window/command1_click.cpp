#include "command1_click.h"

#include "form_probability_boxes.h"
#include "host/runtime/number_locale.h"
#include "numeric/integrate.h"

namespace dorvek::window {

void Command1_Click(host::FormControls& controls) {
    FormProbabilityBoxes boxes(controls);
    numeric::Integrate(boxes, host::userNumberLocale());
}

} // namespace dorvek::window
