#pragma once

// The small window on screen while a map is analysed: a line of text and a progress bar.
// It is created for each analysis and destroyed after it.

#include <QWidget>

namespace tarnwick::controls {
class ellabel;
class elprogress;
} // namespace tarnwick::controls

namespace tarnwick::app {

class Indicador : public QWidget {
public:
    // Shown over `owner`, which stays usable behind it.
    explicit Indicador(QWidget* owner);

    controls::ellabel* Label1;
    controls::elprogress* Progressbar1;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tarnwick::app
