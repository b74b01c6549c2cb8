#include "monitor/service/access_rule.h"

namespace zorvel {
namespace {

constexpr const char* kSystemSid = "S-1-5-18";
constexpr const char* kAdministratorsSid = "S-1-5-32-544";
constexpr const char* kTrustedInstallerSid = "S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";

}  // namespace

bool IsTrustedWriter(const std::string& sid) {
    return sid == kSystemSid || sid == kAdministratorsSid || sid == kTrustedInstallerSid;
}

std::string OthersWhoMayWrite(const AccessDescription& access, const std::string& serviceSid, const std::string& what) {
    const auto trusted = [&](const std::string& sid) { return IsTrustedWriter(sid) || sid == serviceSid; };
    if (!access.HasList) {
        return "Everyone may write to " + what + ": it has no access list.";
    }
    // An owner may change the list whatever it says.
    if (!access.OwnerSid.empty() && !trusted(access.OwnerSid)) {
        return access.OwnerName + " owns " + what + " and may change who writes to it.";
    }
    for (const AccessEntry& entry : access.Entries) {
        if (entry.Allow && !entry.InheritOnly && (entry.Mask & kWriteRights) != 0 && !trusted(entry.Sid)) {
            return entry.Name + " may write to " + what + ".";
        }
    }
    return {};
}

std::string ServiceFolderAccess(const std::string& serviceSid) {
    // Protected, so nothing from the folder above is inherited; every entry
    // also passes to the files and folders inside.
    return "D:P(A;OICI;FA;;;" + std::string(kSystemSid) + ")(A;OICI;FA;;;" + kAdministratorsSid + ")(A;OICI;FA;;;" +
           serviceSid + ")(A;OICI;FRFX;;;S-1-5-32-545)";
}

}  // namespace zorvel
