#include "publish/command_line.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <map>
#include <optional>
#include <string_view>

#include "publish/keys.h"
#include "publish/progress.h"
#include "publish/publish.h"
#include "publish/verify.h"

namespace dkl::publish {
namespace {

constexpr std::string_view kExitCodesHelp = R"(exit status:
  0  success
  1  refused or failed verification: unsafe names, a manifest a launcher would refuse, a serial
     that is not newer than the published one, a bad key file, a damaged or incomplete site
  2  usage error: unknown, missing or malformed arguments
  3  I/O error: a file or folder cannot be read or written
)";

constexpr std::string_view kToolHelp = R"(usage: dkl-publish COMMAND [OPTIONS]

Builds and checks the update site that the Duskhaven Crown launcher reads:
SITE/manifest.json, the signed manifest, and SITE/objects/XX/SHA256[.gz], every file's content
named by its SHA-256 (XX: its first two hex digits).

commands:
  keygen    create a new Ed25519 signing key pair
  publish   publish a game folder to a site
  verify    check a site as a launcher would

Run "dkl-publish COMMAND --help" for the options of a command.

)";

constexpr std::string_view kKeygenHelp = R"(usage: dkl-publish keygen --out PREFIX

Creates a new Ed25519 key pair: PREFIX.secret, the signing key (128 hex digits, mode 0600; keep it
off shared machines), and PREFIX.public (64 hex digits). Prints the public key, which a release
build of the launcher takes as -DDKL_ED25519_PUBLIC_KEY. Existing key files are never overwritten.

  --out PREFIX    path and name of the two key files, without ending

)";

constexpr std::string_view kPublishHelp =
    R"(usage: dkl-publish publish --game DIR --site DIR --key SECRET_FILE --serial N
         --client-version TEXT [--client-build N] --game-exe MANIFEST_PATH
         [--launcher FILE --launcher-version TEXT] [--allow-serial-reuse]
         [--chunk-index-threshold BYTES | --no-chunk-index]

Hashes every file under the game folder, stores each distinct content once as an object of the
site, with a gzip form as well when that is at least 10% and 512 bytes smaller, and then writes
the signed manifest. Every game file of at least 256 KiB also gets a chunk index, an object listing
its content-defined chunks, so that launchers holding an older version fetch only the chunks that
changed, as byte ranges of the plain object (which therefore stays on the site beside a gzip form).
Objects already on the site are never rewritten, and the manifest is
replaced last, in one rename, so that a launcher never sees a manifest whose objects are missing.
Nothing is written when a path, the manifest or the serial would be refused; every path that
cannot be published is listed.

  --game DIR                the game folder as players get it (regular files only, no links)
  --site DIR                the site's root folder; created when missing
  --key SECRET_FILE         the signing key written by keygen
  --serial N                publication serial, greater than the one the site publishes now
  --client-version TEXT     the game client's version as players see it
  --client-build N          the client's build number (default 0)
  --game-exe MANIFEST_PATH  the game executable's path in the folder, with '/' (bin/game.exe)
  --launcher FILE           a launcher executable to publish for self-update
  --launcher-version TEXT   that launcher's version; required with --launcher
  --allow-serial-reuse      accept a serial equal to the published one (never a lower one)
  --chunk-index-threshold BYTES
                            index the game files of at least BYTES bytes (default 262144)
  --no-chunk-index          write no chunk index: every changed file then travels whole

)";

constexpr std::string_view kVerifyHelp = R"(usage: dkl-publish verify --site DIR --public-key HEX_OR_FILE

Checks a site as a launcher would: the envelope and its Ed25519 signature under the given key,
the manifest's form and rules, then the size and SHA-256 of every object a launcher downloads
(gzip objects are inflated), and every chunk index against the plain object it describes, which is
chunked anew. Every missing or damaged object is listed with the paths that use it.

  --site DIR                  the site's root folder
  --public-key HEX_OR_FILE    the public key as 64 hex digits, or a file holding them

)";

struct OptionSpec {
  std::string_view name;
  bool takes_value = true;
  bool required = false;
};

struct Command {
  std::string_view name;
  std::string_view help;
  std::vector<OptionSpec> options;
  int (*run)(const std::map<std::string, std::string>& options, std::ostream& out, std::ostream& err);
};

Status UsageError(std::string message) { return MakeStatus(StatusKind::Invalid, std::move(message)); }

// "--name value" and "--name=value"; a flag's value is empty.
Status ParseOptions(const std::vector<std::string>& args, const Command& command,
                    std::map<std::string, std::string>& values) {
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const std::size_t equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    const auto known = std::find_if(command.options.begin(), command.options.end(),
                                   [&](const OptionSpec& option) { return option.name == name; });
    if (known == command.options.end()) return UsageError("unknown argument " + arg);
    if (values.count(name) != 0) return UsageError(name + " is given twice");
    if (!known->takes_value) {
      if (equals != std::string::npos) return UsageError(name + " takes no value");
      values[name];
    } else {
      const bool inline_value = equals != std::string::npos;
      if (!inline_value && i + 1 == args.size()) return UsageError(name + " needs a value");
      const std::string value = inline_value ? arg.substr(equals + 1) : args[++i];
      if (value.empty()) return UsageError(name + " needs a value");
      values[name] = value;
    }
  }
  for (const OptionSpec& option : command.options) {
    if (option.required && values.count(std::string(option.name)) == 0) {
      return UsageError(std::string(option.name) + " is required");
    }
  }
  return OkStatus();
}

Status ParseCount(const std::map<std::string, std::string>& options, const std::string& name, std::uint64_t& value) {
  const auto found = options.find(name);
  if (found == options.end()) return OkStatus();
  const std::string& text = found->second;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
    return UsageError(name + " takes a whole number from 0 to 18446744073709551615, not \"" + text + "\"");
  }
  return OkStatus();
}

std::string ValueOf(const std::map<std::string, std::string>& options, const std::string& name) {
  const auto found = options.find(name);
  return found == options.end() ? std::string() : found->second;
}

int Fail(const Status& status, std::ostream& err) {
  err << "dkl-publish: " << status.message << "\n";
  return ExitCodeFor(status);
}

int RunKeygen(const std::map<std::string, std::string>& options, std::ostream& out, std::ostream& err) {
  const std::string prefix = ValueOf(options, "--out");
  std::string public_hex;
  const Status status = GenerateKeyFiles(prefix, public_hex);
  if (!status.ok()) return Fail(status, err);
  out << public_hex << "\n";
  err << "wrote " << prefix << ".secret (the signing key: keep it secret) and " << prefix << ".public\n"
      << "build a release for this key with -DDKL_ED25519_PUBLIC_KEY=" << public_hex << "\n";
  return kExitSuccess;
}

Status ReadChunkIndexOptions(const std::map<std::string, std::string>& options, PublishOptions& publish) {
  const bool off = options.count("--no-chunk-index") != 0;
  if (off && options.count("--chunk-index-threshold") != 0) {
    return UsageError("--no-chunk-index and --chunk-index-threshold exclude each other");
  }
  if (off) {
    publish.chunk_index_threshold.reset();
    return OkStatus();
  }
  std::uint64_t threshold = kDefaultChunkIndexThreshold;
  Status status = ParseCount(options, "--chunk-index-threshold", threshold);
  publish.chunk_index_threshold = threshold;
  return status;
}

Status ReadPublishOptions(const std::map<std::string, std::string>& options, PublishOptions& publish) {
  publish.game = ValueOf(options, "--game");
  publish.site = ValueOf(options, "--site");
  publish.key_file = ValueOf(options, "--key");
  publish.client_version = ValueOf(options, "--client-version");
  publish.game_exe = ValueOf(options, "--game-exe");
  publish.allow_serial_reuse = options.count("--allow-serial-reuse") != 0;
  Status status = ParseCount(options, "--serial", publish.serial);
  if (status.ok()) status = ParseCount(options, "--client-build", publish.client_build);
  if (status.ok()) status = ReadChunkIndexOptions(options, publish);
  if (!status.ok()) return status;
  const bool has_launcher = options.count("--launcher") != 0;
  if (has_launcher != (options.count("--launcher-version") != 0)) {
    return UsageError("--launcher and --launcher-version go together");
  }
  if (has_launcher) {
    publish.launcher = LauncherSource{ValueOf(options, "--launcher"), ValueOf(options, "--launcher-version")};
  }
  return OkStatus();
}

int RunPublish(const std::map<std::string, std::string>& options, std::ostream& out, std::ostream& err) {
  PublishOptions publish;
  Status status = ReadPublishOptions(options, publish);
  PublishSummary summary;
  if (status.ok()) status = Publish(publish, err, summary);
  if (!status.ok()) return Fail(status, err);
  char seconds[32];
  std::snprintf(seconds, sizeof seconds, "%.1f", summary.seconds);
  out << "published serial " << publish.serial << " to " << publish.site.string() << ": " << summary.files << " files ("
      << FormatBytes(summary.bytes) << "), " << summary.objects << " distinct objects, " << summary.new_objects
      << " new (" << FormatBytes(summary.new_bytes) << " written), " << summary.gz_objects
      << " served as gzip, " << summary.chunk_indexes << " chunk indexes (" << FormatBytes(summary.chunk_index_bytes)
      << "), manifest " << FormatBytes(summary.manifest_bytes) << ", " << seconds << " s\n";
  return kExitSuccess;
}

int RunVerify(const std::map<std::string, std::string>& options, std::ostream& out, std::ostream& err) {
  publishing::PublicKey key{};
  Status status = ReadPublicKeyArgument(ValueOf(options, "--public-key"), key);
  VerifySummary summary;
  if (status.ok()) status = VerifySite(ValueOf(options, "--site"), key, err, summary);
  if (!status.ok()) return Fail(status, err);
  char seconds[32];
  std::snprintf(seconds, sizeof seconds, "%.1f", summary.seconds);
  out << "site verified: serial " << summary.serial << ", " << summary.files << " files, " << summary.objects
      << " objects (" << FormatBytes(summary.object_bytes) << "), " << seconds << " s\n";
  return kExitSuccess;
}

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands = {
      {"keygen", kKeygenHelp, {{"--out", true, true}}, RunKeygen},
      {"publish",
       kPublishHelp,
       {{"--game", true, true},
        {"--site", true, true},
        {"--key", true, true},
        {"--serial", true, true},
        {"--client-version", true, true},
        {"--client-build"},
        {"--game-exe", true, true},
        {"--launcher"},
        {"--launcher-version"},
        {"--allow-serial-reuse", false},
        {"--chunk-index-threshold"},
        {"--no-chunk-index", false}},
       RunPublish},
      {"verify", kVerifyHelp, {{"--site", true, true}, {"--public-key", true, true}}, RunVerify},
  };
  return commands;
}

bool AsksForHelp(const std::vector<std::string>& args) {
  return std::any_of(args.begin(), args.end(), [](const std::string& arg) { return arg == "--help" || arg == "-h"; });
}

}  // namespace

int ExitCodeFor(const Status& status) {
  switch (status.kind) {
    case StatusKind::Ok: return kExitSuccess;
    case StatusKind::Invalid: return kExitUsage;
    case StatusKind::Io:
    case StatusKind::Denied:
    case StatusKind::DiskFull: return kExitIo;
    default: return kExitRefused;
  }
}

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    (args.empty() ? err : out) << kToolHelp << kExitCodesHelp;
    return args.empty() ? kExitUsage : kExitSuccess;
  }
  const auto command = std::find_if(Commands().begin(), Commands().end(),
                                    [&](const Command& candidate) { return candidate.name == args[0]; });
  if (command == Commands().end()) {
    err << "dkl-publish: unknown command " << args[0] << "\n\n" << kToolHelp;
    return kExitUsage;
  }
  if (AsksForHelp(args)) {
    out << command->help << kExitCodesHelp;
    return kExitSuccess;
  }
  std::map<std::string, std::string> options;
  const Status status = ParseOptions(args, *command, options);
  if (!status.ok()) {
    err << "dkl-publish " << command->name << ": " << status.message << "\n"
        << "Run \"dkl-publish " << command->name << " --help\" for its options.\n";
    return kExitUsage;
  }
  return command->run(options, out, err);
}

}  // namespace dkl::publish
