// Qt key codes to the virtual-key codes the view's key handlers take.
#pragma once

// 0 for a key without a virtual-key code here.
int VirtualKeyFromQt(int qtKey);
