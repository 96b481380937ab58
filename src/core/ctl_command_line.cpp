#include "core/ctl_command_line.h"

namespace dkl {

const char kCtlUsage[] =
    "usage: dklctl update [--verify] [--folder DIR] [--mirror URL]... [--app-data DIR]\n"
    "       dklctl probe\n"
    "       dklctl news [--lang en|es] [--website URL]...\n"
    "       dklctl gpu\n"
    "       dklctl --help\n"
    "\n"
    "update   brings the game folder to the published manifest, as the launcher does, without a window.\n"
    "         Phase changes and progress go to stderr, the outcome to stdout as one JSON object.\n"
    "  --verify        hash every file instead of trusting unchanged sizes and times\n"
    "  --folder DIR    the game folder to update (default: the player's, as the launcher chooses it)\n"
    "  --mirror URL    an update base URL to use instead of the built-in ones; repeat for more, in order.\n"
    "                  The manifest must still carry a signature by the built-in key.\n"
    "  --app-data DIR  the folder of the launcher's settings.json (default: the player's)\n"
    "\n"
    "A newer launcher is placed over DuskcrownLauncher.exe beside dklctl, never over dklctl itself.\n"
    "\n"
    "probe    tries one TCP connection to the game server and prints {\"online\", \"latency_ms\"}.\n"
    "news     prints the website's news as the launcher shows them, cleaned, as a JSON array.\n"
    "  --lang en|es    the language of the news (default es)\n"
    "  --website URL   a website base to ask instead of the built-in one; repeat for more\n"
    "gpu      prints the graphics adapters, the advice level, the findings and the signature.\n"
    "\n"
    "exit codes: update: 0 ready, 1 failed, 2 offline, 3 the launcher was replaced (run again);\n"
    "            probe: 0 online, 2 offline; news, gpu: 0; any command: 64 usage\n";

namespace {

// The value after an option, or a usage failure naming the option.
Status TakeValue(const std::vector<std::string>& arguments, std::size_t& index, std::string& value) {
  if (index + 1 >= arguments.size() || arguments[index + 1].empty()) {
    return MakeStatus(StatusKind::Invalid, arguments[index] + " needs a value");
  }
  value = arguments[++index];
  return OkStatus();
}

}  // namespace

Status ParseCtlCommandLine(const std::vector<std::string>& arguments, CtlCommand& command) {
  command = CtlCommand{};
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    std::string value;
    if (argument == "--help" || argument == "-h") {
      command.help = true;
    } else if (argument == "--verify") {
      command.verify = true;
    } else if (argument == "--folder" || argument == "--app-data" || argument == "--mirror" ||
               argument == "--website" || argument == "--lang") {
      if (Status status = TakeValue(arguments, i, value); !status.ok()) return status;
      if (argument == "--folder") command.folder = value;
      if (argument == "--app-data") command.app_data = value;
      if (argument == "--mirror") command.mirrors.push_back(value);
      if (argument == "--website") command.websites.push_back(value);
      if (argument == "--lang") command.lang = value;
    } else if (argument.starts_with("-")) {
      return MakeStatus(StatusKind::Invalid, "unknown option " + argument);
    } else if (command.verb.empty()) {
      command.verb = argument;
    } else {
      return MakeStatus(StatusKind::Invalid, "unexpected argument " + argument);
    }
  }
  if (command.help) return OkStatus();
  if (command.verb.empty()) return MakeStatus(StatusKind::Invalid, "no command");
  if (command.verb != "update" && command.verb != "probe" && command.verb != "news" && command.verb != "gpu") {
    return MakeStatus(StatusKind::Invalid, "unknown command " + command.verb);
  }
  if (command.lang != "en" && command.lang != "es") return MakeStatus(StatusKind::Invalid, "--lang is en or es");
  return OkStatus();
}

}  // namespace dkl
