#pragma once

// Lets GoogleTest print Qt values as text in its failure messages.

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& list, std::ostream* os)
{
    *os << '{';
    for (const QString& text : list)
        *os << "\n  \"" << text.toStdString() << '"';
    *os << " }";
}

inline void PrintTo(QDate date, std::ostream* os)
{
    *os << date.toString(Qt::ISODate).toStdString();
}

inline void PrintTo(QTime time, std::ostream* os)
{
    *os << time.toString(Qt::ISODate).toStdString();
}

inline void PrintTo(const QDateTime& moment, std::ostream* os)
{
    *os << moment.toString(Qt::ISODate).toStdString();
}
