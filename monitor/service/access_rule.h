// Who may write where the service runs programs from. The service runs the
// command lines of zorvel.ini with its own rights, so a folder, settings file
// or program file that others may change would let them run programs as the
// service: it refuses to start then, as a secure shell refuses a key file
// that others may write.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zorvel {

// One entry of an access list, as the system reports it.
struct AccessEntry {
    std::string Sid;   // "S-1-5-32-544"
    std::string Name;  // for the message: the account's name, or the SID again
    bool Allow = true;
    bool InheritOnly = false;  // for what is made inside, not for the object itself
    uint32_t Mask = 0;
};

// A file's or folder's owner and access list.
struct AccessDescription {
    std::string OwnerSid;
    std::string OwnerName;
    bool HasList = true;  // no list at all lets everyone do everything
    std::vector<AccessEntry> Entries;
};

// The well-known accounts that may always write: SYSTEM, Administrators and
// the installer service.
bool IsTrustedWriter(const std::string& sid);

// The rights that change a file, its folder's content or who may do so.
constexpr uint32_t kWriteRights = 0x00000002u     // write data, add a file
                                  | 0x00000004u   // append data, add a folder
                                  | 0x00000040u   // delete a child
                                  | 0x00010000u   // delete
                                  | 0x00040000u   // change the access list
                                  | 0x00080000u   // take ownership
                                  | 0x10000000u   // generic all
                                  | 0x40000000u;  // generic write

// Empty when only trusted accounts and `serviceSid` may write `what`;
// otherwise one sentence that names who else may.
std::string OthersWhoMayWrite(const AccessDescription& access, const std::string& serviceSid, const std::string& what);

// The folder's access list that install gives: Administrators, SYSTEM and the
// service's account full control, the users of the machine read only, nothing
// inherited from above. A security descriptor string.
std::string ServiceFolderAccess(const std::string& serviceSid);

}  // namespace zorvel
