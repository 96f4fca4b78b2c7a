#pragma once
// Which helpers may open a file.

#include "helpers/CHelperEntry.h"

#include <QString>

// The name from its last "." to the end, dot included; the whole name when
// it has no ".".
QString ExtensionOf(const QString& name);

// The helpers that may open a file, each once, in this order: for a content
// type, the first helper of that content type (without regard to case), or
// else the first helper of content type "*"; then every helper of the
// extension; then the first system viewer of the extension. An empty
// content type skips the first rule.
CHelperRefList CollectCandidates(const CHelperList& helpers, const CHelperList& systemViewers,
                                 const QString& contentType, const QString& extension);

// The helper of the list whose content type is typeName (without regard to
// case); null when there is none.
CHelperEntry* HelperOfContentType(const CHelperList& helpers, const QString& typeName);
