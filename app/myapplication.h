#pragma once

#include <QApplication>

class MyApplication final : public QApplication {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MyApplication)
public:
    using QApplication::QApplication;
};
