#include "core/Cp1251.h"

#include <cerrno>
#include <iconv.h>
#include <stdexcept>

namespace orvik {

namespace {

// One conversion descriptor per call keeps this free of shared state.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error("iconv cannot convert between Windows-1251 and UTF-8");
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as much as possible; returns false at an invalid sequence,
    // leaving `in` at it.
    bool run(std::string_view& in, std::string& out) {
        char buffer[1024];
        while (!in.empty()) {
            char* src = const_cast<char*>(in.data());
            std::size_t srcLeft = in.size();
            char* dst = buffer;
            std::size_t dstLeft = sizeof buffer;
            const std::size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer, dst - buffer);
            in.remove_prefix(in.size() - srcLeft);
            if (rc == static_cast<std::size_t>(-1) && errno != E2BIG)
                return false;
        }
        return true;
    }

private:
    iconv_t cd_;
};

} // namespace

std::optional<std::string> Utf8ToCp1251(std::string_view utf8) {
    Converter conv("WINDOWS-1251", "UTF-8");
    std::string out;
    if (!conv.run(utf8, out))
        return std::nullopt;
    return out;
}

std::string ToCp1251(std::string_view utf8) {
    auto converted = Utf8ToCp1251(utf8);
    if (!converted)
        throw std::logic_error("text has no Windows-1251 form");
    return *converted;
}

std::string Cp1251ToUtf8(std::string_view cp1251) {
    Converter conv("UTF-8", "WINDOWS-1251");
    std::string out;
    while (!conv.run(cp1251, out)) {
        out += "\xEF\xBF\xBD"; // U+FFFD for the unassigned byte
        cp1251.remove_prefix(1);
    }
    return out;
}

} // namespace orvik
