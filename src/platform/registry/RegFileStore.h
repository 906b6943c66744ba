#pragma once

// The file behind the registry primitives on platforms without a registry.
//
// Linux has no machine-wide store an ordinary user may write, so the file is per user:
// $XDG_CONFIG_HOME/KxVantric/registry.reg, or ~/.config/KxVantric/registry.reg when the variable
// is unset. It holds a password as plain text, so it is created with mode 0600 in a folder
// created with mode 0700.
//
// Reading never creates anything. Writing re-reads the file under an exclusive lock on its
// folder, changes it, writes a temporary file beside it, flushes it to disk and renames it over
// the old one: a crash leaves the old or the new file, and two running copies never drop each
// other's values. A file that cannot be fully read is copied to registry.reg.damaged before it
// is replaced, so nothing a user had in it is thrown away.

#include "platform/registry/RegFileFormat.h"

#include <functional>
#include <string>

namespace RegFile {

// The file's path, read from the environment on every call; empty when no home folder is known.
std::string storePath();

enum class LoadState { Missing, Unreadable, Loaded };

struct LoadResult {
    LoadState state = LoadState::Missing;
    Document document;
    std::string bytes; // the file as read
};

LoadResult load(const std::string& path);

// Applies `change` to the current contents and writes the result. `change` returns false when
// it left the document as it was, and then nothing is written. Returns false when the new
// contents could not be stored; the file is then as before.
bool update(const std::string& path, const std::function<bool(Document&)>& change);

} // namespace RegFile
