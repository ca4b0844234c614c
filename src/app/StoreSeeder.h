#pragma once

// Fills a new store with the designed sample content, read from the screens
// themselves (built off screen from their stored definitions):
//   organisation units   the organisation screen's tree (the fuller view),
//                        codes from the department dialog and rights pages 2-3
//   post dictionary      the post screen's grid
//   users                the user screen's grid; their posts from its post
//                        grid (the first user's), the role dialog (its users
//                        hold its post) and the department dialog
//   functions, rights    rights page 4's tree grid, the rights of the post
//                        "副总经理" of 土木公司 (the role dialog's post)
//   administrators       rights page 1, for 土木公司 (the department dialog's unit)
//   relations, policies  rights pages 2, 3 and 5, for the same post

class RightsStore;

void SeedStore(RightsStore& store);
