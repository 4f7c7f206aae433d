#pragma once
// Answers a modal dialog from a test: the command that opens it runs its own event loop,
// so the test's answer waits on a timer until the dialog is the active modal widget.
#include <QApplication>
#include <QTimer>

#include <functional>
#include <memory>

namespace test_support {

template <class D>
struct ModalPoll {
    std::function<void(D &)> act;
    int triesLeft;
    bool answered = false;
    bool over() const { return answered || triesLeft <= 0; }
};

// Each pending timer holds the poll and the poll holds no timer, so nothing is kept once
// the dialog was answered or the tries ran out.
template <class D>
void pollForModal(const std::shared_ptr<ModalPoll<D>> &poll)
{
    if (auto *dialog = qobject_cast<D *>(QApplication::activeModalWidget())) {
        poll->answered = true;
        poll->act(*dialog);
        return;
    }
    if (--poll->triesLeft > 0)
        QTimer::singleShot(10, [poll] { pollForModal<D>(poll); });
}

// Runs `act` on the next modal dialog of type D once it shows, looking every 10 ms at most
// `tries` times (call before the command that opens it). The poll tells when it is over.
template <class D>
std::shared_ptr<const ModalPoll<D>> whenModal(std::function<void(D &)> act, int tries = 200)
{
    auto poll = std::make_shared<ModalPoll<D>>(ModalPoll<D>{std::move(act), tries});
    QTimer::singleShot(0, [poll] { pollForModal<D>(poll); });
    return poll;
}

} // namespace test_support
