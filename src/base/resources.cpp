// Registry of embedded binary resources (LCD images, pictures), keyed by resource name.
// Generated sources register their data at start-up; lookups happen on the UI thread.
#include "base/resources.h"

#include <map>

namespace tarvolin {

namespace {

std::map<std::string, TResourceData>& Registry() {
    static std::map<std::string, TResourceData> Resources;
    return Resources;
}

} // namespace

void RegisterResource(const std::string& Name, TResourceData Data) { Registry()[Name] = Data; }

void UnregisterResource(const std::string& Name) { Registry().erase(Name); }

std::optional<TResourceData> FindResource(const std::string& Name) {
    auto& Resources = Registry();
    auto It = Resources.find(Name);
    if (It == Resources.end()) return std::nullopt;
    return It->second;
}

} // namespace tarvolin
