#include "app/rom_address_check.h"

#include <exception>

#include "base/text_format.h"
#include "base/translate.h"
#include "games/game_classes.h"

namespace tarvolin {

bool CheckURL(const std::string& URL, std::string& ErrorText, const THttpOptions& Options, TTaskProgress* Progress) {
    ErrorText = Tr("Download", "unknown reason");
    THttpOptions Http = Options;
    // Only the status is wanted: the body is not read.
    Http.MaxBodyBytes = 0;
    Http.TruncateBody = true;
    try {
        const THttpResponse Response = HttpGet(URL, Http, Progress);
        if (Response.StatusCode == 200) return true;
        if (Response.StatusCode != 0)
            ErrorText = Format(Tr("Download", "HTTP status code: %d ('%s')").c_str(),
                               static_cast<int>(Response.StatusCode), Response.StatusText.c_str());
        else
            ErrorText = Tr("Download", "Cannot retrieve HTTP status code.");
    } catch (const std::exception& e) {
        ErrorText = e.what();
    }
    return false;
}

std::string CheckROMDownloadAddresses(const THttpOptions& Options, TTaskProgress& Progress) {
    static const TMCUClass* const Classes[] = {
        &TAC01::Class, &TFL02::Class, &TMT03::Class, &TRC04::Class, &TIP05::Class, &TIP15::Class,  &TMH06::Class,
        &TCN07::Class, &TCN17::Class, &TLN08::Class, &TPR21::Class, &TOC22::Class, &TPP23::Class,  &TFP24::Class,
        &TMC25::Class, &TFR27::Class, &TIM13::Class, &TIM23::Class, &TAltair::Class, &TSK10::Class, &TSM11::Class,
    };
    std::string Reachable, Failing;
    for (const TMCUClass* Class : Classes) {
        const std::string URL = Class->ROM_URL();
        if (URL.empty()) continue;
        const std::string Entry = std::string(Class->ClassName) + " - " + URL;
        Progress.Status(Entry);
        std::string ErrorText;
        if (Progress.Cancelled()) ErrorText = Tr("Download", RequestCancelledText);
        else if (CheckURL(URL, ErrorText, Options, &Progress)) {
            Reachable += Entry + "\n";
            continue;
        }
        Failing += Entry + "\r\n   " + ErrorText + "\n";
    }
    if (Reachable.empty()) Reachable = Tr("Download", "(none)");
    if (Failing.empty()) Failing = Tr("Download", "(none)");
    return Reachable + "\n" + Failing;
}

} // namespace tarvolin
