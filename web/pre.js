// Runs inside the game's script, before main. The user's own files (levels, records, settings,
// recovery copies) live in the browser's IndexedDB, mounted where the game keeps them ($HOME),
// and are read from it before the game starts; the game hands them back after every write.
Module.pageRequests = [];
Module.pageTitle = document.title;
Module.preRun = Module.preRun || [];
Module.preRun.push(function () {
  FS.mkdir("/uploads");
  FS.mount(IDBFS, {}, "/home/web_user");
  addRunDependency("user-files");
  try {
    FS.syncfs(true, function (error) {
      // Refused (private browsing): the game runs on, and each save says it could not be kept.
      if (error) console.warn("the browser's storage is not available:", error);
      removeRunDependency("user-files");
    });
  } catch (error) {
    console.warn("the browser's storage is not available:", error);
    removeRunDependency("user-files");
  }
});

// The page's buttons; the game takes these requests between its frames.
Module.downloadLevel = function () {
  Module.pageRequests.push({kind: 1, name: ""});
};
Module.uploadLevel = function (file) {
  // A level file is a few hundred bytes: a huge one is not read into memory at all.
  if (file.size > 1024 * 1024) return Module.pageRequests.push({kind: 3, name: file.name});
  file.arrayBuffer().then(function (data) {
    try {
      FS.writeFile("/uploads/" + file.name, new Uint8Array(data));
    } catch (error) {
      // The game names what is wrong with the name, or that it cannot read the file.
    }
    Module.pageRequests.push({kind: 2, name: file.name});
  });
};
