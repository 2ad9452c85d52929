#pragma once

// A key-state source that tests set by hand.

#include "client/keyboard/KeyStateSource.h"

#include <QMap>
#include <array>
#include <initializer_list>

namespace tamber::fakes {

class FakeKeyState : public KeyStateSource
{
public:
    bool isDown(int vk) const override { return vk >= 0 && vk < 256 && down[size_t(vk)]; }
    QString label(int vk) const override { return labels.value(vk); }

    void press(int vk) { set(vk, true); }
    void release(int vk) { set(vk, false); }
    void set(int vk, bool isDown)
    {
        down[size_t(vk)] = isDown;
        emit changed();
    }
    // Several changes that a reader sees at once, as between two ticks.
    void setMany(std::initializer_list<std::pair<int, bool>> changes)
    {
        for (const auto& [vk, isDown] : changes)
            down[size_t(vk)] = isDown;
        emit changed();
    }

    // Another layout: what each key prints now.
    void switchLayout(const QMap<int, QString>& printed)
    {
        labels = printed;
        emit layoutChanged();
    }

    std::array<bool, 256> down{};
    QMap<int, QString> labels;
};

} // namespace tamber::fakes
