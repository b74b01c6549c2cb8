// Line handling shared by the two report layouts' readers.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace zorvel {

// Lines without their line ends (CR LF or LF); a final line end adds no empty line.
std::vector<std::string> SplitLines(const std::string& text);

std::vector<std::string> SplitFields(const std::string& line, char separator);

// A piece of a damaged line fit for a one-line message: short, control bytes as "?".
std::string Excerpt(const std::string& line);

// "source:line: what", the form editors and terminals jump to.
std::string LineMessage(const std::string& source, int line, const std::string& what);

// Stores a value under its statistic; a statistic shown twice (two view columns)
// keeps its plain number when one of its texts is one. A view column outside the
// catalogue ("Input<n>", a placeholder value) is passed over. False for any
// other name.
bool AddStatistic(std::map<int, std::string>& values, const std::string& name, const std::string& text);

// The catalogue position of a column name; -1 for a placeholder column, -2 for
// a name that is no statistic.
int ColumnPosition(const std::string& name);

}  // namespace zorvel
