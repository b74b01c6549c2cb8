// Rewriting a file whole without ever leaving a half-written one behind.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

namespace common {

enum class WriteResult { Ok, OpenFailed, WriteFailed };

// Writes `path` through a temporary file in the same folder: the writer fills the
// stream, then the data is flushed to disk, the stream closed with every error
// checked, and only then moved over the old file. Any failure removes the
// temporary and leaves the old file as it was. A read-only file is not replaced.
WriteResult ReplaceWholeFile(const std::string& path, const std::function<bool(std::FILE*)>& writer);

// What a replace with a text came to, and the C library's error when it failed.
struct TextWriteOutcome {
    WriteResult Result;
    int Error;  // errno after a failure, 0 when it gave none
};

// ReplaceWholeFile with the bytes of `text`.
TextWriteOutcome ReplaceWithText(const std::string& path, const std::string& text);

// In words, why replacing `path` failed.
std::string WriteFailureReason(const std::string& path, const TextWriteOutcome& outcome);

// Platform half of ReplaceWholeFile: forces the stream's data to the disk.
bool CommitStream(std::FILE* stream);

// Platform half of ReplaceWholeFile: true for an existing file marked read-only.
bool IsReadOnlyFile(const std::string& path);

// Platform half of ReplaceWholeFile: moves `from` over `to`, replacing it.
bool MoveOver(const std::string& from, const std::string& to);

}  // namespace common
