#pragma once

#include "protocol/typeparser.h"

#include <QByteArrayList>

// Everything the configurator knows about each request kind, one row per
// kind, indexed by its numeric value: the request bytes, the reply template
// and match mask, the repeat budget, what a reply hands to the window and in
// which fields, and what happens when the request gives up. The catalogue
// builds its records from these rows; the exchange engine checks replies and
// decides give-ups by them.
class RequestKinds
{
public:
    // What a reply field holds, and so what it may contain when it arrives
    // undamaged.
    enum class Field : quint8
    {
        None,        // no field at this place
        Byte,        // decimal digits, 0 to 255: registers, configuration, averaging
        Number,      // decimal digits, at most nine: measured input values
        Text,        // printable ASCII up to the first zero byte: the identity
        Version,     // no control bytes up to the first zero byte: the module version
        AddressList, // the configuration's list of remote addresses: hexadecimal digits
    };

    // What the engine does when a request has no usable reply within its
    // repeat budget.
    enum class GiveUp : quint8
    {
        Silent,     // dropped; the next request starts
        Ask,        // put to the user (sgError), who goes on or stops the run
        TestStep,   // ends one step of the radio test cycle
        ClearQueue, // the whole queue is dropped without a word (calibration)
    };

    static constexpr int Variants = 3;   // firmware variants 0, 1 and 2
    static constexpr int MaxFields = 12; // the configuration reply of variant 2

    struct Row
    {
        TypeParser type;
        const char *name; // null: the value is not a kind (12, 20, 30)
        // The bytes sent; "%1" stands for the request's argument. Null where
        // the request is built from other state: the radio test poll (the
        // address), the calibration requests (their own operations).
        const char *request;
        // Reply template and match mask. Those of the configuration read are
        // the longest layout (variant 2); a variant with fewer fields uses
        // their beginning, two template places per field. Null for the test
        // poll, whose template starts with the address.
        const char *answer;
        const char *mask;
        quint8 countRepeat; // sends before giving up
        quint16 timeout;    // milliseconds between sends
        bool keepAfterAnswer;
        GiveUp giveUp;
        // How many fields a reply hands to the window (sgGetSetting), per
        // firmware variant; 0: the kind hands nothing out. A reply with
        // another number of fields is consumed unreported.
        quint8 fieldCount[Variants];
        Field fields[MaxFields];

        constexpr bool clearOnTimeout() const { return giveUp == GiveUp::ClearQueue; }
    };

    // The row of a kind; a value past the last kind gets a row that sends
    // nothing, hands nothing out and gives up silently.
    static const Row &row(TypeParser type);
    // Every row, in the order of the kinds' values (for a range-for).
    struct Rows
    {
        const Row *first;
        const Row *last;
        const Row *begin() const { return first; }
        const Row *end() const { return last; }
    };
    static Rows all();

    // The number of fields a reply of `type` is handed out with under a
    // firmware variant, or -1 when such a reply is never handed out.
    static int expectedFields(TypeParser type, quint8 variant);
    // Whether a field holds what its kind allows: a byte lost or a noise byte
    // caught inside a field gives text the window would read wrongly.
    static bool fits(Field kind, const QByteArray &field);
    // Whether every field of a reply fits its kind: a reply that does not is
    // taken as damaged on the line.
    static bool plausible(TypeParser type, const QByteArrayList &fields);
};
