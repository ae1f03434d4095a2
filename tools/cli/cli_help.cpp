#include "cli_help.h"

#include <algorithm>
#include <sstream>
#include <vector>

namespace tarvolin::cli {

namespace {

constexpr size_t UsageWidth = 92;

// "tarvolin-cli session show": the names of App and its parents.
std::string CommandPath(const CLI::App* App) {
    std::string Path = App->get_name();
    for (const CLI::App* P = App->get_parent(); P; P = P->get_parent()) Path = P->get_name() + " " + Path;
    return Path;
}

bool Shown(const CLI::App* App, const CLI::Option* O) { return O != App->get_help_ptr() && O != App->get_help_all_ptr(); }

// "--game NAME", "--trace", "ROM".
std::string Term(const CLI::Option* O) {
    if (O->get_positional()) return O->get_name(true);
    std::string t = O->get_name();
    if (O->get_type_size_max() > 0 && !O->get_type_name().empty()) t += " " + O->get_type_name();
    return t;
}

std::string UsageLine(const CLI::App* App) {
    const std::string Head = "usage: " + CommandPath(App);
    std::vector<std::string> Parts;
    for (const CLI::Option* O : App->get_options()) {
        if (!Shown(App, O)) continue;
        // Positionals are named as they are (a verb tells when one may be left out).
        Parts.push_back(O->get_required() || O->get_positional() ? Term(O) : "[" + Term(O) + "]");
    }
    std::string Text = Head, Line = Head;
    const std::string Indent(Head.size(), ' ');
    for (const std::string& P : Parts) {
        if (Line.size() + 1 + P.size() > UsageWidth && Line != Head) {
            Text += "\n" + Indent;
            Line = Indent;
        }
        Text += " " + P;
        Line += " " + P;
    }
    return Text + "\n";
}

void OptionLines(std::ostream& Out, const CLI::App* App) {
    std::vector<const CLI::Option*> Options;
    size_t Width = 0;
    for (const CLI::Option* O : App->get_options())
        if (Shown(App, O) && !O->get_description().empty()) {
            Options.push_back(O);
            Width = std::max(Width, Term(O).size());
        }
    if (Options.empty()) return;
    Out << "\n";
    for (const CLI::Option* O : Options) {
        std::string T = Term(O);
        T.resize(Width, ' ');
        std::istringstream Lines(O->get_description());
        std::string Line;
        bool First = true;
        while (std::getline(Lines, Line)) {
            Out << "  " << (First ? T : std::string(Width, ' ')) << "  " << Line << "\n";
            First = false;
        }
    }
}

} // namespace

std::string THelpFormatter::make_help(const CLI::App* App, std::string, CLI::AppFormatMode) const {
    std::ostringstream Out;
    const auto Subs = App->get_subcommands([](const CLI::App*) { return true; });
    if (Subs.empty()) {
        Out << UsageLine(App);
        if (!App->get_description().empty()) Out << "\n" << App->get_description() << "\n";
        OptionLines(Out, App);
        return Out.str();
    }
    // A verb with sub-verbs: one usage line each, then each sub-verb's description and options.
    for (const CLI::App* S : Subs) Out << UsageLine(S);
    if (!App->get_description().empty()) Out << "\n" << App->get_description() << "\n";
    for (const CLI::App* S : Subs) {
        Out << "\n" << S->get_name() << ": " << S->get_description() << "\n";
        std::ostringstream Options;
        OptionLines(Options, S);
        Out << Options.str().substr(Options.str().empty() ? 0 : 1);
    }
    return Out.str();
}

} // namespace tarvolin::cli
