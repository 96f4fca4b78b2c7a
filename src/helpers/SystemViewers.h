#pragma once
// The system viewer scan: one helper per file extension that the machine's
// file associations (HKEY_LOCAL_MACHINE\SOFTWARE\Classes) give an open
// command.

#include "helpers/CHelperEntry.h"

// Appends, in the key's enumeration order, a helper for every subkey
// of SOFTWARE\Classes that starts with "." and whose file type (its default
// value) has a non-empty "<file type>\shell\Open\command": content type
// from its "Content Type" value, application the command line, description
// the file type name, extension the key name, name "System viewer for: "
// and the extension, no message. Reports nothing.
void ScanSystemViewers(CHelperList& list);
