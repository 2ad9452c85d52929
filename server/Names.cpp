#include "Names.h"

#include "common/protocol/Messages.h"
#include "common/protocol/Text.h"

namespace tamber::server {

namespace {

constexpr char16_t kSoftHyphen = 0x00ad;
constexpr char16_t kNoBreakSpace = 0x00a0;

bool isControl(char16_t c)
{
    return c < 0x20 || (c >= 0x7f && c <= 0x9f);
}

// Soft hyphens gone, no-break spaces made spaces; case kept.
QString visible(const QByteArray& name)
{
    QString text = protocol::decodeText(name);
    text.remove(QChar(kSoftHyphen));
    text.replace(QChar(kNoBreakSpace), QLatin1Char(' '));
    return text;
}

} // namespace

NameFault nameFault(const QByteArray& name)
{
    for (const QChar c : protocol::decodeText(name)) {
        if (isControl(c.unicode()))
            return NameFault::Control;
    }
    const QString shown = visible(name);
    if (shown.isEmpty())
        return NameFault::Empty;
    if (shown.startsWith(QLatin1Char(' ')) || shown.endsWith(QLatin1Char(' ')))
        return NameFault::Blank;
    if (name.size() > kMaxUserName)
        return NameFault::TooLong;
    return NameFault::None;
}

QString comparableName(const QByteArray& name)
{
    return visible(name).toCaseFolded();
}

bool sameName(const QByteArray& a, const QByteArray& b)
{
    return comparableName(a) == comparableName(b);
}

QByteArray defaultName(int seat)
{
    return "User" + protocol::decimal(seat);
}

int defaultSeatOf(const QByteArray& name)
{
    for (int seat = 1; seat <= protocol::kMaxUserId; ++seat) {
        if (sameName(name, defaultName(seat)))
            return seat;
    }
    return 0;
}

QByteArray uniqueName(const QByteArray& wanted, const std::function<bool(const QByteArray&)>& taken)
{
    QByteArray name = wanted;
    for (int n = 2; taken(name); ++n)
        name = wanted + '-' + protocol::decimal(n);
    return name;
}

} // namespace tamber::server
