// Name matching of the path translation for names whose lower case is
// longer than the name itself.

#include "platform/NameCache.h"
#include "support/QtPrinters.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

TEST(NameCache, NamesShownInLowerCaseFindTheirFile)
{
    TempDir folder;
    // A capital I with dot above lower-cases to "i" and a combining dot.
    const QString dotted = QString::fromUtf8("D\xc4\xb0Z\xc4\xb0N.LBL");
    folder.write(dotted, "x");
    folder.write("PLAIN.LBL", "y");
    NameCache names;
    EXPECT_EQ(names.Match(folder.path(), dotted), dotted);
    EXPECT_EQ(names.Match(folder.path(), dotted.toLower()), dotted);
    EXPECT_EQ(names.Match(folder.path(), dotted.left(1) + dotted.mid(1).toLower()), dotted);
    EXPECT_EQ(names.Match(folder.path(), "plain.lbl"), "PLAIN.LBL");
    EXPECT_EQ(names.Match(folder.path(), QString::fromUtf8("di\xcc\x87zin.lbx")), QString());
}

}  // namespace
