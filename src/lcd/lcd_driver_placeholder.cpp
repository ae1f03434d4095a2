// Stand-in LCD driver: every call the MCU makes is accepted and does nothing, so the
// emulation core builds and runs before the real driver exists.
#include "lcd/lcd_driver.h"

namespace tarvolin {

void TLCDDriver::Initialize(const TCOMtoMCUpin& ACOMtoMCUpin, const TObitToMCUpin& AObitToMCUpin) {
    FCOMtoMCUpin = ACOMtoMCUpin;
    FObitToMCUpin = AObitToMCUpin;
    SetupMappings();
    Reset();
}

void TLCDDriver::AssignBitmapContainer(TRaster*, TColor, uint8_t, bool) {}
void TLCDDriver::RefreshBitmap(const TORegister&, const TORegister&, bool) {}
void TLCDDriver::OnInstruction(const TORegister&, const TORegister&, bool, bool) {}
void TLCDDriver::SetShowStableImageOnly(bool) {}
void TLCDDriver::Reset() {}
void TLCDDriver::CopyCurrentState(TLCDDriver&) const {}

void TGenericLCDDriver::SetupMappings() {}

const TLCDDriverClass TGenericLCDDriver::Class{
    "TGenericLCDDriver", nullptr, [] { return std::unique_ptr<TLCDDriver>(new TGenericLCDDriver()); }};

std::unique_ptr<TLCDDriver> TLCDDriverClass::Create(const TCOMtoMCUpin& COMtoMCUpin,
                                                    const TObitToMCUpin& ObitToMCUpin) const {
    std::unique_ptr<TLCDDriver> driver = Factory();
    driver->Initialize(COMtoMCUpin, ObitToMCUpin);
    return driver;
}

bool TLCDDriverClass::InheritsFrom(const TLCDDriverClass& Other) const {
    for (const TLCDDriverClass* c = this; c; c = c->Parent)
        if (c == &Other) return true;
    return false;
}

const std::vector<const TLCDDriverClass*>& AllLCDDriverClasses() {
    static const std::vector<const TLCDDriverClass*> classes{&TGenericLCDDriver::Class};
    return classes;
}

const TLCDDriverClass* FindLCDDriverClass(const std::string& ClassName) {
    for (const TLCDDriverClass* c : AllLCDDriverClasses())
        if (ClassName == c->ClassName) return c;
    return nullptr;
}

} // namespace tarvolin
