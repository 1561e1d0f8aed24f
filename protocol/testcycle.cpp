#include "protocol/testcycle.h"

#include "protocol/catalogue.h"
#include "protocol/parser.h"

QByteArray TestCycle::request(quint8 index) const
{
    if (list.isEmpty())
        return QByteArray();
    if (index >= list.size())
        index = 0;
    return Catalogue::testRequest(quint8(list.at(index)));
}

void TestCycle::advance(Parser *parser)
{
    ++position;
    if (position >= list.size())
        position = 0;
    const quint8 address = quint8(list.at(position));
    parser->setRequest(request(position));
    parser->setAnswer(Catalogue::testAnswer(address));
    parser->setMask(Catalogue::testMask(address));
}
