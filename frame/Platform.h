#pragma once

#include "frame/Devices.h"
#include "frame/Dialogs.h"
#include "frame/Environment.h"
#include "frame/Session.h"

// The platform the program runs on, by concern. The program installs the Qt implementations before any
// window exists; tests install their doubles.
struct Platform
{
    Dialogs* dialogs = nullptr;
    Session* session = nullptr;
    Environment* environment = nullptr;
    Devices* devices = nullptr;
};
void SetPlatform(const Platform& platform);

Dialogs& dialogs();
Session& session();
Environment& environment();
Devices& devices();
