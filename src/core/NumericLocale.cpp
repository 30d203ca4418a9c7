#include "core/NumericLocale.h"

namespace orvik {

void UseFullStopNumbers() {
    setlocale(LC_NUMERIC, "C");
}

FullStopNumbers::FullStopNumbers() {
    // The thread's locale as it is, with the numbers of "C".
    locale_t base = duplocale(uselocale(static_cast<locale_t>(nullptr)));
    if (base == static_cast<locale_t>(nullptr))
        return;
    own_ = newlocale(LC_NUMERIC_MASK, "C", base);
    if (own_ == static_cast<locale_t>(nullptr)) {
        freelocale(base);
        return;
    }
    previous_ = uselocale(own_);
}

FullStopNumbers::~FullStopNumbers() {
    if (own_ == static_cast<locale_t>(nullptr))
        return;
    uselocale(previous_);
    freelocale(own_);
}

} // namespace orvik
