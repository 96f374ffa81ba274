// What the journal's own files share and nothing else includes: key path components, and the
// fallback that tells a missing profile line from an empty one.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace vireo::service::detail {

// What GetString returns for a line that is not there: no profile line can hold it.
inline constexpr char kNoLine[] = "\x01\x02vireo:none\x02\x01";

// The components of a key path; empty ones are skipped, as the registry skips them.
std::vector<std::string> Components(const std::string& path);
// The first `count` components joined by backslashes.
std::string Join(const std::vector<std::string>& parts, std::size_t count);
// `sub` below `base`, with empty components dropped.
std::string JoinPath(const std::string& base, const std::string& sub);

}  // namespace vireo::service::detail
