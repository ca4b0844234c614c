#pragma once

// Brings a self-painted control's picture to the screen at once, without
// waiting for the message loop (animation frames painted inside one repaint).

class TControl;

void ShowPictureNow(TControl& control);
