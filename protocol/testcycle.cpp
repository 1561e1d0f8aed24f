#include "protocol/testcycle.h"

#include "protocol/catalogue.h"
#include "protocol/parserparam.h"

QByteArray TestCycle::request(quint8 index) const
{
    if (list.isEmpty())
        return QByteArray();
    if (index >= list.size())
        index = 0;
    return Catalogue::testRequest(quint8(list.at(index)));
}

void TestCycle::advance(ParserParam &step)
{
    ++position;
    if (position >= list.size())
        position = 0;
    const quint8 address = quint8(list.at(position));
    step.request = request(position);
    step.answer = Catalogue::testAnswer(address);
    step.mask = Catalogue::testMask(address);
}
