// Access lists of files and folders, read into the plain description the
// service's rule judges, and the one install gives the service's folder.
#pragma once

#include <optional>
#include <string>

#include "monitor/service/access_rule.h"
#include "monitor/service/service_options.h"

namespace zorvel {

// None when the path's security cannot be read.
std::optional<AccessDescription> DescribeAccess(const std::string& path);

// The account's SID as text: LocalService S-1-5-19, LocalSystem S-1-5-18.
const char* AccountSid(ServiceAccount account);

// Gives `path` the service folder's access list and Administrators as its
// owner. Empty when done, otherwise why not.
std::string ProtectForService(const std::string& path, ServiceAccount account);

}  // namespace zorvel
