#pragma once
#include <cstdint>
#include <QTimer>

// A precise repeating timer with an integer tag, the place where the game
// keeps its clock.
class Timer : public QTimer {
    Q_OBJECT
public:
    explicit Timer(QObject* parent = nullptr, int intervalMs = 100) : QTimer(parent)
    {
        setTimerType(Qt::PreciseTimer);
        setInterval(intervalMs);
    }
    std::int32_t Tag = 0;
};
