#pragma once

#include <QObject>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

namespace orvik {

class AppContext;
template <typename W> class WindowSlot;

// Makes the program's 23 windows and records them in the context: the splash
// and main windows at once, every other window the first time the program
// asks for it. A window hidden by the program gives back its window-system
// buffers; showing it again makes new ones. Destroys the windows at the end
// of the run, the newest first.
class WindowSet : public QObject {
public:
    explicit WindowSet(AppContext& ctx);
    ~WindowSet() override;
    WindowSet(const WindowSet&) = delete;
    WindowSet& operator=(const WindowSet&) = delete;

    // Every window, in the registry's order, making those not made yet.
    std::vector<QWidget*> all() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    template <typename W> void offer(WindowSlot<W>& slot);
    void releaseWhenStillHidden(QWidget* window);

    AppContext& ctx_;
    std::vector<std::unique_ptr<QWidget>> owned_;
    std::vector<std::function<QWidget*()>> slots_;
    bool ending_ = false;
};

} // namespace orvik
