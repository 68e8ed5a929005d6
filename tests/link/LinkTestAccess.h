#pragma once

#include "link/CPFCComm.h"

// Holds a link busy as an exchange in progress would: on one thread that state is otherwise
// seen only from inside an exchange.
class LinkTestAccess {
public:
    static void SetBusy(CPFCComm& comm, bool busy) { comm.m_bBusy = busy ? 1 : 0; }
};
