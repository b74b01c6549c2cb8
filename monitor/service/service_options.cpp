#include "monitor/service/service_options.h"

#include <cstring>

namespace zorvel {
namespace {

struct VerbName {
    const char* Word;
    ServiceVerb Verb;
};
constexpr VerbName kVerbs[] = {{"install", ServiceVerb::Install}, {"uninstall", ServiceVerb::Uninstall},
                               {"start", ServiceVerb::Start},     {"stop", ServiceVerb::Stop},
                               {"status", ServiceVerb::Status},   {"run", ServiceVerb::Run}};

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameWord(const std::string& a, const char* b) {
    if (a.size() != std::strlen(b)) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) {
            return false;
        }
    }
    return true;
}

// A name the service manager takes, and that can name a registry key and the
// program's named objects.
bool GoodServiceName(const std::string& name) {
    if (name.empty() || name.size() > 80) {
        return false;
    }
    for (char c : name) {
        const bool good = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
                          c == '_' || c == '.';
        if (!good) {
            return false;
        }
    }
    return true;
}

ParsedServiceCommand Refuse(const std::string& error) {
    return ParsedServiceCommand{std::nullopt, error};
}

}  // namespace

ParsedServiceCommand ParseServiceCommand(const std::vector<std::string>& words) {
    if (words.empty()) {
        return Refuse("no command given");
    }
    ServiceOptions options;
    bool known = false;
    for (const VerbName& verb : kVerbs) {
        if (SameWord(words[0], verb.Word)) {
            options.Verb = verb.Verb;
            known = true;
        }
    }
    if (!known) {
        return Refuse("unknown command \"" + words[0] + "\"");
    }
    const bool install = options.Verb == ServiceVerb::Install;
    const bool run = options.Verb == ServiceVerb::Run;
    bool folderGiven = false;
    for (size_t i = 1; i < words.size(); ++i) {
        const std::string& word = words[i];
        const bool hasValue = i + 1 < words.size();
        if (SameWord(word, "--name")) {
            if (!hasValue || !GoodServiceName(words[i + 1])) {
                return Refuse("--name takes a name of letters, digits, '-', '_' and '.', up to 80 characters");
            }
            options.Name = words[++i];
        } else if ((install || run) && SameWord(word, "--simulated")) {
            options.Simulated = true;
        } else if ((install || run) && SameWord(word, "--no-folder-check")) {
            options.FolderCheck = false;
        } else if (install && SameWord(word, "--account")) {
            if (hasValue && SameWord(words[i + 1], "LocalService")) {
                options.Account = ServiceAccount::LocalService;
            } else if (hasValue && SameWord(words[i + 1], "LocalSystem")) {
                options.Account = ServiceAccount::LocalSystem;
            } else {
                return Refuse("--account takes LocalService or LocalSystem");
            }
            ++i;
        } else if (run && SameWord(word, "--folder")) {
            if (!hasValue) {
                return Refuse("--folder takes a folder");
            }
            options.Folder = words[++i];
            folderGiven = true;
        } else if (install && !folderGiven && !word.empty() && word[0] != '-') {
            options.Folder = word;
            folderGiven = true;
        } else {
            return Refuse("\"" + word + "\" is not an option of " + words[0]);
        }
    }
    if (run && !folderGiven) {
        return Refuse("run needs --folder");
    }
    return ParsedServiceCommand{options, ""};
}

std::string ServiceUsage() {
    return "usage, from an administrator's command prompt:\n"
           "  zorvel-service install [FOLDER] [--name NAME] [--simulated] [--account LocalService|LocalSystem]\n"
           "                         [--no-folder-check]\n"
           "  zorvel-service uninstall [--name NAME]\n"
           "  zorvel-service start|stop|status [--name NAME]\n"
           "The folder is the current one unless given; the name is " +
           std::string(kDefaultServiceName) + " unless given.\n";
}

std::string ServiceRunLine(const std::string& program, const ServiceOptions& options) {
    // Backslashes before a closing quote are doubled, or the quote would be taken as text.
    std::string folder = options.Folder;
    const size_t trailing = folder.size() - (folder.find_last_not_of('\\') + 1);
    folder.append(trailing, '\\');
    std::string line = "\"" + program + "\" run --name " + options.Name + " --folder \"" + folder + "\"";
    if (options.Simulated) {
        line += " --simulated";
    }
    if (!options.FolderCheck) {
        line += " --no-folder-check";
    }
    return line;
}

std::vector<std::string> SplitCommandLine(const std::string& line) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '\\') {
            size_t slashes = 0;
            while (i < line.size() && line[i] == '\\') {
                ++slashes;
                ++i;
            }
            if (i < line.size() && line[i] == '"') {
                word.append(slashes / 2, '\\');
                if (slashes % 2 == 1) {
                    word += '"';
                } else {
                    quoted = !quoted;
                }
            } else {
                word.append(slashes, '\\');
                --i;
            }
            inWord = true;
        } else if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inWord) {
                words.push_back(word);
                word.clear();
                inWord = false;
            }
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) {
        words.push_back(word);
    }
    return words;
}

const char* AccountName(ServiceAccount account) {
    return account == ServiceAccount::LocalSystem ? "LocalSystem" : "NT AUTHORITY\\LocalService";
}

}  // namespace zorvel
