// Embedded binary resources (LCD images and pictures), found by resource name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace tarvolin {

struct TResourceData {
    const uint8_t* Data = nullptr;
    size_t Size = 0;
};

// Registers a resource under a name (the data must outlive the program run); a later
// registration of the same name replaces the earlier one.
void RegisterResource(const std::string& Name, TResourceData Data);
void UnregisterResource(const std::string& Name);
std::optional<TResourceData> FindResource(const std::string& Name);

} // namespace tarvolin
