#pragma once

// The flat page control speaks to assistive technology as a page tab list:
// one page tab per shown tab (hidden tabs are absent), named by the page's
// caption and selected when its page is active, each holding its sheet, a
// property page. Sheets whose tab is hidden follow the tabs as plain panes.

// Registers the providers of page controls and their sheets.
void RegisterPageControlAccessibility();
