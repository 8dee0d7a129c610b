#pragma once
// The start-up probes: each builds its window set the way its program does,
// runs the event loop and, right after the first frame of its main window is
// painted, prints one line for the launcher (bench/pomiary.cpp):
//   main=<ns> malowanie=<ns> klatka=<ns> hwm_start=<kB> hwm_gra=<kB>
// main: CLOCK_MONOTONIC when main() began (libraries loaded, static data
// set up); malowanie: at the main window's first paint event; klatka: when
// the event loop is back after that paint (the frame is flushed); hwm_*: the
// peak resident set after start-up and after `po` has run.
//
// Under valgrind's callgrind, tools/instrukcje dumps the count when the frame
// is done (--dump-before=zm_pierwsza_klatka): the instructions of start-up,
// without the teardown that follows.
#include <cstdio>
#include <functional>
#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include "pomiar.h"

// Called once the first frame is done; its only work is to be called.
extern "C" inline __attribute__((noinline, used)) void zm_pierwsza_klatka()
{
    asm volatile("");
}

class PierwszeMalowanie : public QObject {
public:
    // okno() is asked at every event, as the main window may not exist yet
    // when the filter goes in.
    PierwszeMalowanie(std::int64_t main, std::function<QWidget*()> okno, std::function<long()> po)
        : main_(main), okno_(std::move(okno)), po_(std::move(po))
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() != QEvent::Paint || malowanie_)
            return false;
        QWidget* w = okno_();
        auto* cel = qobject_cast<QWidget*>(o);
        if (!w || !cel || cel->window() != w)
            return false;
        // A window is painted before its children: this is the frame's first
        // paint event.
        malowanie_ = pomiar::teraz_ns();
        qApp->removeEventFilter(this);
        QTimer::singleShot(0, qApp, [this] {
            const std::int64_t klatka = pomiar::teraz_ns();
            zm_pierwsza_klatka();
            const long start = pomiar::status_kb("VmHWM");
            const long gra = po_ ? po_() : start;
            std::printf("main=%lld malowanie=%lld klatka=%lld hwm_start=%ld hwm_gra=%ld\n",
                        static_cast<long long>(main_), static_cast<long long>(malowanie_),
                        static_cast<long long>(klatka), start, gra);
            std::fflush(stdout);
            QApplication::quit();
        });
        return false;
    }

private:
    std::int64_t main_;
    std::function<QWidget*()> okno_;
    std::function<long()> po_;
    std::int64_t malowanie_ = 0;
};
