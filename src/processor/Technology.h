#pragma once

#include <array>

namespace orvik {

enum class PowerLaw { Square, Linear, Root };

// Constants of one circuit technology. The first five factors are 8-byte
// reals; the package factor enters only the processor cost.
struct TechnologyInfo {
    const char* Name; // UTF-8, as the technology list shows it
    double DelayFactor;
    double PowerFactor;
    double FailureFactor;
    double YieldExponent;
    double DensityFactor;
    long double PackageFactor;
    PowerLaw Law;
};

inline const std::array<TechnologyInfo, 5> TechnologyTable{{
    {"ЭСЛ", 0.1, 0.4, 4.0, 2.5, 1.5625, 3.0L, PowerLaw::Square},
    {"ТТЛШ", 0.6, 0.16, 4.0, 2.7, 3.5, 2.5L, PowerLaw::Linear},
    {"КМОП", 1.0, 0.01, 3.0, 2.5, 11.25, 2.1L, PowerLaw::Root},
    {"БиКМОП", 0.7, 0.02, 5.0, 3.0, 7.3, 2.3L, PowerLaw::Linear},
    {"GaAs", 0.05, 0.2, 5.0, 5.0, 5.0, 3.5L, PowerLaw::Square},
}};

// The technology of an index from a record; an index outside 0..4 (only a
// damaged workbook holds one) is an Error.
const TechnologyInfo& TechnologyAt(int index);

} // namespace orvik
