#pragma once

#include <QString>

#include <stdexcept>

// A failure of the browser list, carrying the error number, its description and the
// operation it came from, as callers report them.
class IEListError : public std::runtime_error
{
public:
    IEListError(int number, const QString& description, const QString& source)
        : std::runtime_error(description.toStdString()), m_number(number),
          m_description(description), m_source(source)
    {
    }

    int Number() const { return m_number; }
    QString Description() const { return m_description; }
    QString Source() const { return m_source; }

private:
    int m_number;
    QString m_description;
    QString m_source;
};
