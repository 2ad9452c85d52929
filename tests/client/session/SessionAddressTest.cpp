// What Join Session reads from a typed address, and the recent addresses it offers.
#include "client/session/SessionAddress.h"
#include "client/session/RecentAddresses.h"
#include "tests/fakes/FakePlatform.h"

#include <gtest/gtest.h>

namespace tamber {

void PrintTo(const SessionAddress& a, std::ostream* os)
{
    *os << a.host.toStdString() << " port " << a.port << " room " << a.room.toStdString();
}
void PrintTo(const AddressError& e, std::ostream* os)
{
    *os << "error " << int(e.kind) << " at \"" << e.part.toStdString() << '"';
}

namespace {

using Kind = AddressError::Kind;
using Parsed = std::variant<SessionAddress, AddressError>;

TEST(SessionAddress, HostPortRoomAndBracketedIpv6)
{
    const std::pair<const char*, SessionAddress> cases[] = {
        {"piano.example.org", {"piano.example.org", 9050, ""}},
        {"  192.168.1.20 \t", {"192.168.1.20", 9050, ""}},
        {"0", {"0", 9050, ""}}, // what the box offers when nothing was joined yet
        {"host:9051", {"host", 9051, ""}},
        {"localhost:65535", {"localhost", 65535, ""}},
        {"host/jazz", {"host", 9050, "jazz"}},
        {"Host-1.lan:1/Jazz_Club-2", {"Host-1.lan", 1, "Jazz_Club-2"}},
        {"[::1]", {"::1", 9050, ""}},
        {"[::1]:9051/jazz", {"::1", 9051, "jazz"}},
        {"[2001:db8::7]/abcdefghijklmnopqrstuvwx",
         {"2001:db8::7", 9050, "abcdefghijklmnopqrstuvwx"}},
        {"h\u00f6st.example", {"h\u00f6st.example", 9050, ""}},
    };
    for (const auto& [typed, address] : cases)
        EXPECT_EQ(parseSessionAddress(QString::fromUtf8(typed), 9050), Parsed(address)) << typed;
}

TEST(SessionAddress, AWrongAddressSaysWhichPartIsWrong)
{
    const std::pair<const char*, AddressError> cases[] = {
        {"", {Kind::Empty, ""}},
        {"   ", {Kind::Empty, ""}},
        {":9051", {Kind::MissingHost, ""}},
        {"/jazz", {Kind::MissingHost, ""}},
        {"my host", {Kind::BadHost, "my host"}},
        {"user@host:9051", {Kind::BadHost, "user@host"}},
        {"::1", {Kind::BadIpv6, "::1"}},
        {"2001:db8::1:9051/jazz", {Kind::BadIpv6, "2001:db8::1:9051"}},
        {"[::1", {Kind::BadIpv6, "[::1"}},
        {"[1.2.3.4]:9051", {Kind::BadIpv6, "[1.2.3.4]"}},
        {"[::1]9051", {Kind::BadIpv6, "[::1]9051"}},
        {"host:", {Kind::BadPort, ""}},
        {"host:0", {Kind::BadPort, "0"}},
        {"host:65536", {Kind::BadPort, "65536"}},
        {"host:90x/jazz", {Kind::BadPort, "90x"}},
        {"[::1]:+1", {Kind::BadPort, "+1"}},
        {"host/", {Kind::BadRoom, ""}},
        {"host/two words", {Kind::BadRoom, "two words"}},
        {"host/jazz/late", {Kind::BadRoom, "jazz/late"}},
        {"host/abcdefghijklmnopqrstuvwxy", {Kind::BadRoom, "abcdefghijklmnopqrstuvwxy"}},
        {"host/caf\u00e9", {Kind::BadRoom, "caf\u00e9"}},
        {"bad host/bad room", {Kind::BadHost, "bad host"}}, // the host is read first
    };
    for (const auto& [typed, error] : cases)
        EXPECT_EQ(parseSessionAddress(QString::fromUtf8(typed), 9050), Parsed(error)) << typed;
}

TEST(RecentAddresses, TenNewestFirstEachOnceWhateverItsCase)
{
    fakes::FakeSettingsStore settings;
    RecentAddresses recent(settings);
    EXPECT_TRUE(recent.list().isEmpty());
    for (int i = 1; i <= 12; ++i)
        recent.add(QStringLiteral("host%1").arg(i));
    recent.add(QStringLiteral("HOST5"));
    const QStringList expected = {"HOST5", "host12", "host11", "host10", "host9",
                                  "host8", "host7",  "host6",  "host4",  "host3"};
    EXPECT_EQ(recent.list(), expected);
    EXPECT_EQ(settings.values.value("Session/Address1"), "HOST5");
    EXPECT_EQ(settings.values.value("Session/Address10"), "host3");
    EXPECT_FALSE(settings.values.contains("Session/Address11"));

    // Entries edited by hand: blanks are skipped, repeats shown once.
    settings.values["Session/Address2"] = "  ";
    settings.values["Session/Address3"] = "hoSt5";
    EXPECT_EQ(recent.list().mid(0, 3), (QStringList{"HOST5", "host10", "host9"}));
}

} // namespace
} // namespace tamber
