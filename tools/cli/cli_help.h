// The help of a verb, generated from its CLI11 definitions in the tool's own layout:
//
//     usage: tarvolin-cli run [ROM] [--game NAME] [--steps N] ...
//
//     <the verb's description>
//
//       --game NAME      <the option's help; further lines indented under it>
#pragma once

#include <CLI/CLI.hpp>
#include <string>

namespace tarvolin::cli {

class THelpFormatter : public CLI::FormatterBase {
public:
    std::string make_help(const CLI::App* App, std::string Name, CLI::AppFormatMode Mode) const override;
};

} // namespace tarvolin::cli
