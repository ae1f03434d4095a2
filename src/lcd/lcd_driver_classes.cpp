// The catalogue of LCD driver classes.
#include "lcd/lcd_driver.h"

#include "games/game_lcd_drivers.h"

namespace tarvolin {

namespace {

// Catalogue order: the generic image first, then the game images.
const TLCDDriverClass* const DriverClassTable[] = {
    &TGenericLCDDriver::Class,
};

} // namespace

const std::vector<const TLCDDriverClass*>& AllLCDDriverClasses() {
    static const std::vector<const TLCDDriverClass*> Classes = [] {
        std::vector<const TLCDDriverClass*> List(std::begin(DriverClassTable), std::end(DriverClassTable));
        const auto& Games = GameLCDDriverClasses();
        List.insert(List.end(), Games.begin(), Games.end());
        return List;
    }();
    return Classes;
}

const TLCDDriverClass* FindLCDDriverClass(const std::string& ClassName) {
    for (const TLCDDriverClass* C : AllLCDDriverClasses())
        if (ClassName == C->ClassName) return C;
    return nullptr;
}

} // namespace tarvolin
