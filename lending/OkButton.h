// The "Ok" button of the lending and search windows: a bitmap button with a red tick.
#pragma once

#include <QPushButton>

QPushButton *makeOkButton(const QString &hint, QWidget *parent = nullptr);
