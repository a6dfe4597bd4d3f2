// The ways an include is written: blanks before and after '#', none before the name.
#pragma once

#include "core/common/Helpers.h"
#include <QString>
#  include <QWidget>
  #include "data/db/TDM.h"
# include<QPainter>
#include <QtWidgets/QLabel>
