#include "dorvek_program.h"

#include "form1_description.h"

namespace dorvek::window {

const host::ProgramDescription& dorvekProgram() {
    static const host::ProgramDescription program = {
        .title = "Dorvek Olasılıklar",
        .name = "dorvek",
        .desktopEntry = "org.dorvek.olasiliklar",
        .version = "1.00",
        .startupForm = &form1Description(),
    };
    return program;
}

} // namespace dorvek::window
