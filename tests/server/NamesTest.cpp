// The rules of names without a relay: faults, sameness, default names and unique names.

#include "server/Names.h"

#include <gtest/gtest.h>
#include <set>

namespace tamber::server {
namespace {

TEST(Names, FaultsAreFoundInTheBytesAndTheVisibleForm)
{
    const struct
    {
        QByteArray name;
        NameFault fault;
    } cases[] = {
        {"Anna", NameFault::None},
        {"Anna Maria", NameFault::None},
        {"", NameFault::Empty},
        {"\xad", NameFault::Empty},
        {" ", NameFault::Blank},
        {"\xa0", NameFault::Blank},
        {" Bob", NameFault::Blank},
        {"Bob\xa0", NameFault::Blank},
        {"\xad Bob", NameFault::Blank},
        {"B\tb", NameFault::Control},
        {"\x7f", NameFault::Control},
        {"\x9d", NameFault::Control},
        {"\x80\x9c", NameFault::None},
        {"0123456789", NameFault::None},
        {"0123456789a", NameFault::TooLong},
    };
    for (const auto& c : cases)
        EXPECT_EQ(nameFault(c.name), c.fault) << c.name.toHex().constData();
}

TEST(Names, TwoNamesAreOneWhenAReaderCannotTellThemApart)
{
    EXPECT_TRUE(sameName("User1", "user\xad"
                                  "1"));
    EXPECT_TRUE(sameName("Anna Maria", "ANNA\xa0maria"));
    EXPECT_TRUE(sameName("Caf\xe9", "CAF\xc9"));
    EXPECT_TRUE(sameName("\x8a"
                         "ara",
                         "\x9a"
                         "ARA")); // Windows-1252's S with caron
    EXPECT_FALSE(sameName("Anna", "Ana"));
    EXPECT_FALSE(sameName("User1", "User1-2"));

    EXPECT_EQ(defaultName(3), "User3");
    EXPECT_EQ(defaultSeatOf("uSeR\xad"
                            "8"),
              8);
    EXPECT_EQ(defaultSeatOf("User9"), 0);
    EXPECT_EQ(defaultSeatOf("User03"), 0);
}

TEST(Names, AUniqueNameTakesTheFirstFreeSuffix)
{
    std::set<QByteArray> present;
    const auto taken = [&](const QByteArray& name) { return present.count(name) > 0; };
    EXPECT_EQ(uniqueName("User3", taken), "User3");
    present = {"User3"};
    EXPECT_EQ(uniqueName("User3", taken), "User3-2");
    present = {"User3", "User3-2", "User3-4"};
    EXPECT_EQ(uniqueName("User3", taken), "User3-3");
}

} // namespace
} // namespace tamber::server
