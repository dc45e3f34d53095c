#include "inspector/rmPathIndex.h"

namespace {

std::string_view WithoutTrailing(std::string_view path, char sep)
{
    if (!path.empty() && path.back() == sep)
        path.remove_suffix(1);
    return path;
}

} // namespace

std::string PathParentName(std::string_view Path, char SepChar)
{
    const std::string_view path = WithoutTrailing(Path, SepChar);
    const size_t last = path.rfind(SepChar);
    return last == std::string_view::npos ? std::string() : std::string(path.substr(0, last));
}

std::string PathChildName(std::string_view Path, char SepChar)
{
    const std::string_view path = WithoutTrailing(Path, SepChar);
    const size_t last = path.rfind(SepChar);
    return std::string(last == std::string_view::npos ? path : path.substr(last + 1));
}
