#pragma once
// Hands the reply callbacks their road to the link (registration and follow-up queries) until
// they use the command encoder and the link wrapper themselves.
void InstallInterimLinkBridge();
