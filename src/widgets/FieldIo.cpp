#include "widgets/FieldIo.h"

#include "numeric/parse_real.h"

#include <QLineEdit>

namespace zandrevio {

long double ReadReal(const QLineEdit& field)
{
    return ParseReal(TextOf(field));
}

std::string TextOf(const QLineEdit& field)
{
    return field.text().toStdString();
}

} // namespace zandrevio
