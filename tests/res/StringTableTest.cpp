#include "res/StringTable.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using res::TextId;

TEST(StringTable, ArgumentsHoldingMarkersAreTakenAsTheyStand)
{
    EXPECT_EQ(res::Text(TextId::NoContentTypeForFile, "D:/x%1.lbl"),
              "Unable to determine PDS content type\nfor file: D:/x%1.lbl\nFile may not be a PDS label.");
    EXPECT_EQ(res::Text(TextId::DidNotFindHelper, "a%2.exe", "D:/x%1%3", "%1"),
              "Did not find helper 'a%2.exe'\nAlong path: D:/x%1%3\nContent type: %1\n\nUnable to do anything else.");
}

TEST(StringTable, EveryIdHasATextAndTheNumberedIdsAreTheSameTexts)
{
    for (int id = 0; id < static_cast<int>(TextId::Count); ++id)
        EXPECT_FALSE(res::Text(static_cast<TextId>(id)).isEmpty()) << id;
    EXPECT_EQ(res::LoadString(res::IDS_ABOUTBOX), res::Text(TextId::AboutBox));
    EXPECT_EQ(res::LoadString(res::IDS_PROPSHT_CAPTION), "Property Sheet");
    EXPECT_EQ(res::LoadString(res::IDS_SCANNING), "Scanning system");
    EXPECT_EQ(res::LoadString(1), QString());
}
