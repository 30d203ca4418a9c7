#pragma once

#include <QWidget>

#include <memory>
#include <vector>

namespace orvik {

class AppContext;

// Creates the program's 23 windows once, in their fixed order, records them
// in the context, and destroys them at the end of the run.
class WindowSet {
public:
    explicit WindowSet(AppContext& ctx);
    ~WindowSet();
    WindowSet(const WindowSet&) = delete;
    WindowSet& operator=(const WindowSet&) = delete;

private:
    template <typename W> W* make(AppContext& ctx);

    AppContext& ctx_;
    std::vector<std::unique_ptr<QWidget>> owned_;
};

} // namespace orvik
