#include "calc/texts.h"

namespace ostrel::calc {

Texts Texts::read(const Window &window)
{
    Texts texts;
    for (const Field field : allFields)
        texts[field] = window.text(field);
    return texts;
}

} // namespace ostrel::calc
