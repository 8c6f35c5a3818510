// Bookmarks of awkward shapes, made by the browser itself; the test reads the file it writes.
chrome.runtime.onInstalled.addListener(async () => {
  const add = (parentId, title, url) => chrome.bookmarks.create({parentId, title, url});
  const folder = await add("1", "Folder");
  await add(folder.id, "Ünïcode & <b>", "https://example.org/%C3%BC?a=1&b=2");
  await add(folder.id, "Bookmarklet", "javascript:alert(1)");
  const nested = await add(folder.id, "Nested");
  await add(nested.id, "a/b", "http://127.0.0.1/a");
  await add("1", "Same", "http://127.0.0.1/1");
  await add("1", "Same", "http://127.0.0.1/2");
  await add("2", "Other", "file:///tmp/other.html");
});
