// The program-wide list of LCD driver classes: the generic driver, then the classes that
// higher layers (the game catalogue) add through RegisterLCDDriverClasses.
#include <mutex>

#include "lcd/lcd_driver.h"

namespace tarvolin {

namespace {

using TSource = const std::vector<const TLCDDriverClass*>& (*)();

struct TRegistry {
    std::vector<TSource> Sources;
    std::vector<const TLCDDriverClass*> Classes;
    size_t SourcesInClasses = static_cast<size_t>(-1); // sources folded into Classes
    std::mutex Lock;
};

TRegistry& Registry() {
    static TRegistry R;
    return R;
}

} // namespace

bool RegisterLCDDriverClasses(const std::vector<const TLCDDriverClass*>& (*Source)()) {
    TRegistry& R = Registry();
    std::lock_guard<std::mutex> Guard(R.Lock);
    for (TSource S : R.Sources)
        if (S == Source) return true;
    R.Sources.push_back(Source);
    return true;
}

const std::vector<const TLCDDriverClass*>& AllLCDDriverClasses() {
    TRegistry& R = Registry();
    std::lock_guard<std::mutex> Guard(R.Lock);
    // Sources are asked lazily: they may build their lists from tables of their own layer.
    if (R.SourcesInClasses != R.Sources.size()) {
        R.Classes.assign(1, &TGenericLCDDriver::Class);
        for (TSource S : R.Sources)
            for (const TLCDDriverClass* C : S())
                R.Classes.push_back(C);
        R.SourcesInClasses = R.Sources.size();
    }
    return R.Classes;
}

const TLCDDriverClass* FindLCDDriverClass(const std::string& ClassName) {
    for (const TLCDDriverClass* C : AllLCDDriverClasses())
        if (ClassName == C->ClassName) return C;
    return nullptr;
}

} // namespace tarvolin
