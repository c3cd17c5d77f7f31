// The small loudspeaker in the status panel: shows whether sound is on and how loud; a click
// toggles it
#pragma once

#include "Widgets.h"

namespace fendral {

class SoundMark : public Panel {
    Q_OBJECT
public:
    static constexpr int Size = 16;

    explicit SoundMark(QWidget* parent);

    bool isOn() const { return m_on; }
    int volumeStep() const { return m_volumeStep; }
    // Sound on or off, at a volume of 0 .. 10 steps
    void setState(bool on, int volumeStep);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_on = true;
    int m_volumeStep = 7;
};

} // namespace fendral
